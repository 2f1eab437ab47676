#!/usr/bin/env bash
# Builds and runs the skin engine benchmark in its own Wine session.
# Usage: bench/skin/run.sh [rounds]
set -uo pipefail
. "$(dirname "$0")/../support/session.sh"
bench_session --display bench_skin
wine "$(wine_program "$BUILD/bench/skin/bench_skin")" "$@"
