#!/usr/bin/env bash
# Registers the viewer control (Quenda) in the build's Wine prefix with regsvr32,
# so the viewer host can create it by its class identifier. Does nothing until
# the control has been built. Idempotent: registers again only when the built
# DLL has changed or its class is missing from the prefix.
set -euo pipefail
. "$(dirname "$0")/../../scripts/env.sh"
CLSID='{FFD85318-7565-4886-945C-D31E428F0947}'
STAMP="$WINEPREFIX/.viewer-control-registered"

# The viewer build writes dist/quenda.dll.so and the same library as
# dist/quenda.dll. The control registers the file it was loaded from and COM
# later loads exactly that name; Wine 8 loads a winelib DLL from a full path
# when the file there is the library itself (an ELF file under the .dll name),
# so the .dll is what gets registered.
so="$BUILD/dist/quenda.dll.so"
dll="$BUILD/dist/quenda.dll"
[ -f "$so" ] || exit 0
if [ ! -f "$dll" ] || ! cmp -s "$so" "$dll"; then
  cp -f "$so" "$dll"
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
