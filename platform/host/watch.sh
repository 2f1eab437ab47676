#!/usr/bin/env bash
# Watches the broadcast: registers the viewer control in the build's Wine prefix
# and runs the viewer host with the arguments given, e.g.
#   bash platform/host/watch.sh http://127.0.0.1/viewax.html
#   bash platform/host/watch.sh 127.0.0.1 80 prop3.skn
# Needs a display (DISPLAY) and the build (scripts/build.sh).
set -uo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
. "$HERE/../../scripts/env.sh"
HOST="$(wine_program "$BUILD/platform/host/ViewerHost")"
if [ ! -f "$HOST" ]; then
  echo "watch: $HOST is not built (run scripts/build.sh)" >&2
  exit 1
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "watch: no DISPLAY; the viewer needs a screen (or run it under Xvfb)" >&2
  exit 1
fi
bash "$HERE/install.sh"
exec wine "$HOST" "$@"
