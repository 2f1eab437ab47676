#!/usr/bin/env bash
# Registers the viewer control (Quenda.ocx) in the build's Wine prefix with
# regsvr32, so the viewer host can create it by its class identifier. Does
# nothing until the control has been built. Idempotent: registers again only
# when the built file has changed or its class is missing from the prefix.
set -euo pipefail
. "$(dirname "$0")/../../scripts/env.sh"
CLSID='{FFD85318-7565-4886-945C-D31E428F0947}'
STAMP="$WINEPREFIX/.viewer-control-registered"

# The control registers the file it was loaded from, and COM later loads exactly that name.
dll="$BUILD/dist/Quenda.ocx"
[ -f "$dll" ] || exit 0
state="$dll $(stat -c %Y "$dll")"
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
