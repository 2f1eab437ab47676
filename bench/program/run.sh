#!/usr/bin/env bash
# Builds and runs the per-frame pipeline benchmark in its own Wine session, one
# line per N: the grab, the whole pipeline with fan-out to N loopback video
# connections, the pipeline without fan-out, and the codec alone, per frame.
# Usage: bench/program/run.sh [frames] [res] [N ...]   (default: 80 frames, res 0, N = 1 100 1000)
set -uo pipefail
FRAMES="${1:-80}"
RES="${2:-0}"
shift 2 || shift $#
COUNTS="${*:-1 100 1000}"
. "$(dirname "$0")/../support/session.sh"
bench_session --display --quiet bench_program mpeg4vidc
cd "$BUILD/bench/program"
for n in $COUNTS; do
  wine "$(wine_program bench_program)" "$n" "$FRAMES" "$RES" 2>/dev/null | grep '^N='
done
