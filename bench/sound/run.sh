#!/usr/bin/env bash
# Builds and runs the sound benchmark (encoder and decoder real-time factor)
# in its own Wine session. Usage: bench/sound/run.sh [seconds of sound] [least CPU seconds per side]
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$ROOT"
BUILD_TARGETS="bench_sound" bash scripts/build.sh || exit 1
. scripts/wine-session.sh
trap stop_session EXIT
start_wine
wine "$BUILD/bench/sound/bench_sound.exe.so" "$@"
