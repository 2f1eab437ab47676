#!/usr/bin/env bash
# Builds and runs the video codec benchmark in its own Wine session.
# Usage: bench/video/run.sh [frames] [width height]
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$ROOT"
BUILD_TARGETS="bench_video mpeg4vidc" bash scripts/build.sh || exit 1
FORCE_XVFB=1
. scripts/wine-session.sh
trap stop_session EXIT
start_display
start_wine
wine "$BUILD/bench/video/bench_video.exe.so" "$@"
