#!/usr/bin/env bash
# Registers the test-pattern camera (patterncam.dll) in the build's Wine prefix:
# as a COM server and as a filter of the video input device category, through
# its own DllRegisterServer. COM keeps the DLL's full path (a plain name is not
# looked up on WINEDLLPATH for a winelib DLL), so a new build folder registers
# again. Idempotent: does nothing when the prefix already lists this DLL.
set -euo pipefail
. "$(dirname "$0")/../../scripts/env.sh"
DLL="$BUILD/platform/dlls/patterncam.dll"
CLSID='{3A64E357-708C-4668-BFCE-A1C3EBDFF4B1}'
CATEGORY='{860BB310-5D01-11D0-BD3B-00A0C911CE86}'
if [ ! -f "$DLL" ]; then
  echo "camera: $DLL is not built; the prefix has no test-pattern camera" >&2
  exit 0
fi
WINPATH="Z:${DLL//\//\\}"
REGPATH="${WINPATH//\\/\\\\}"         # as system.reg escapes it
# The registry file is only a cache of the server's state, but what is found
# there is certainly registered; otherwise register (again).
if [ -f "$WINEPREFIX/system.reg" ] &&
   grep -qiF "CLSID\\\\$CATEGORY\\\\Instance\\\\$CLSID]" "$WINEPREFIX/system.reg" &&
   grep -qiF "@=\"$REGPATH\"" "$WINEPREFIX/system.reg"; then
  exit 0
fi
if ! wine regsvr32 /s "$WINPATH" >/dev/null 2>&1; then
  echo "camera: regsvr32 $WINPATH failed" >&2
  exit 1
fi
