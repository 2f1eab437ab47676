#!/usr/bin/env bash
# Registers the viewer control (Quenda) in the build's Wine prefix with regsvr32,
# so the viewer host can create it by its class identifier. Does nothing until
# the control has been built. Idempotent: registers again only when the built
# DLL has changed or its class is missing from the prefix.
set -euo pipefail
. "$(dirname "$0")/../../scripts/env.sh"
CLSID='{FFD85318-7565-4886-945C-D31E428F0947}'
STAMP="$WINEPREFIX/.viewer-control-registered"

so=""
for candidate in "$BUILD/dist/Quenda.dll.so" "$BUILD/viewer/Quenda.dll.so"; do
  if [ -f "$candidate" ]; then so="$candidate"; break; fi
done
if [ -z "$so" ]; then
  so="$(find "$BUILD" -maxdepth 3 -name Quenda.dll.so -not -path "$WINEPREFIX/*" 2>/dev/null | head -n 1 || true)"
fi
[ -n "$so" ] || exit 0

# The control registers the file it was loaded from, and COM later loads exactly
# that name: Wine loads a winelib DLL from "Quenda.dll" when such a file exists
# (an ELF file under the .dll name is fine), but neither finds "Quenda.dll.so"
# for it nor searches WINEDLLPATH. So the DLL gets its plain name beside it.
dll="${so%.so}"
if [ ! -e "$dll" ]; then
  ln -s "$(basename "$so")" "$dll"
fi

state="$dll $(stat -c %Y "$so")"
if [ -f "$STAMP" ] && [ "$(cat "$STAMP")" = "$state" ] && [ -f "$WINEPREFIX/system.reg" ] &&
   grep -qiF "CLSID\\\\$CLSID\\\\InprocServer32]" "$WINEPREFIX/system.reg"; then
  exit 0
fi
dospath="Z:${dll//\//\\}"
if wine regsvr32 /s "$dospath" >/dev/null 2>&1; then
  echo "$state" >"$STAMP"
else
  echo "host: regsvr32 $dospath failed; the viewer control is not registered" >&2
fi
exit 0
