#!/usr/bin/env bash
# Builds and runs the video codec benchmark in its own Wine session.
# Usage: bench/video/run.sh [frames] [width height]
set -uo pipefail
. "$(dirname "$0")/../support/session.sh"
bench_session --display bench_video mpeg4vidc
wine "$(wine_program "$BUILD/bench/video/bench_video")" "$@"
