#!/usr/bin/env bash
# Creates the private Wine prefix of the build tree once and installs the
# platform stand-ins into it (each installer is idempotent).
set -euo pipefail
. "$(dirname "$0")/env.sh"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi
# Without a window manager (Xvfb) every hide or destroy of an activated top-level
# window waits 2 s for one; an unmanaged X11 driver does not wait.
if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
fi
# A crashing program ends with its backtrace instead of waiting, under the test
# display, for someone to close Wine's crash dialog.
if ! grep -q '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" 2>/dev/null; then
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
fi
for inst in "$ROOT"/platform/*/install.sh; do
  [ -f "$inst" ] && bash "$inst"
done
exit 0
