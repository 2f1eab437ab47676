#!/usr/bin/env bash
# Builds and runs the fan-out benchmark in its own Wine session, one line per N.
# Usage: bench/http/run.sh [seconds per N] [N ...]   (default: 10 s, N = 10 100 1000)
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$ROOT"
SECONDS_PER_N="${1:-10}"
shift || true
COUNTS="${*:-10 100 1000}"
BUILD_TARGETS="bench_http" bash scripts/build.sh >/dev/null || exit 1
FORCE_XVFB=1
. scripts/wine-session.sh
trap stop_session EXIT
start_display
start_wine
cd "$BUILD/bench/http"
for n in $COUNTS; do
  wine bench_http.exe.so "$n" "$SECONDS_PER_N" 2>/dev/null | grep '^N='
done
