#!/usr/bin/env bash
# Installs what is missing, builds, and starts the broadcasting program
# (under Xvfb when there is no display).
set -uo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
bash "$HERE/setup.sh" || exit 1
bash "$HERE/build.sh" || exit 1
. "$HERE/wine-session.sh"
trap stop_session EXIT
start_display || exit 1
start_wine
cd "$BUILD/dist"
wine ./Orvanta_TM.exe "$@"
