#!/usr/bin/env bash
# Builds and runs the fan-out benchmark in its own Wine session, one line per N.
# Usage: bench/http/run.sh [seconds per N] [N ...]   (default: 10 s, N = 10 100 1000)
set -uo pipefail
SECONDS_PER_N="${1:-10}"
shift || true
COUNTS="${*:-10 100 1000}"
. "$(dirname "$0")/../support/session.sh"
bench_session --display --quiet bench_http
cd "$BUILD/bench/http"
for n in $COUNTS; do
  wine bench_http.exe.so "$n" "$SECONDS_PER_N" 2>/dev/null | grep '^N='
done
