#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under one Xvfb display
# with one persistent wineserver. Prints ctest's summary; non-zero on failure.
set -uo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
bash "$HERE/setup.sh" || exit 1
bash "$HERE/build.sh" || exit 1
FORCE_XVFB=1
. "$HERE/wine-session.sh"
trap stop_session EXIT
start_display || exit 1
start_wine
cd "$BUILD"
# All tests share one X display: a test that reads pixels from the screen can
# catch another test's window passing over its own. Such a failure gets one
# more run; a test that fails twice fails the run.
ctest --output-on-failure -j "$(nproc)" --repeat until-pass:2 "$@"
