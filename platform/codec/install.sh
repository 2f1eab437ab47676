#!/usr/bin/env bash
# Installs the MPEG-4 codec stand-in into the Wine prefix like any VfW codec:
# the DLL in system32 and its registration as "vidc.Dvxx". Idempotent.
set -euo pipefail
. "$(dirname "$0")/../../scripts/env.sh"
DLL="$WINELIB_BUILD/platform/dlls/mpeg4vidc.dll.so"
SYS32="$WINEPREFIX/drive_c/windows/system32"
# Wine 8 loads a winelib DLL by name only from a file called name.dll (the ELF
# file itself: the loader sees it is no PE image and loads it as a .so) in the
# search path; a name.dll.so on WINEDLLPATH is not found for a DLL Wine does
# not ship.
if [ -f "$DLL" ]; then
  if ! cmp -s "$DLL" "$SYS32/mpeg4vidc.dll"; then
    cp -f "$DLL" "$SYS32/mpeg4vidc.dll"
  fi
else
  echo "codec/install.sh: $DLL not built yet; the codec is registered but not installed" >&2
fi
KEY='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Drivers32'
# The registry file is only a cache of the server's state, but a value found
# there is certainly registered; otherwise ask wine to write it.
if [ -f "$WINEPREFIX/system.reg" ] && grep -qi '^"vidc.Dvxx"="mpeg4vidc.dll"' "$WINEPREFIX/system.reg"; then
  exit 0
fi
wine reg add "$KEY" /v vidc.Dvxx /t REG_SZ /d mpeg4vidc.dll /f >/dev/null 2>&1
