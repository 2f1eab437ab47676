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
for inst in "$ROOT"/platform/*/install.sh; do
  [ -f "$inst" ] && bash "$inst"
done
exit 0
