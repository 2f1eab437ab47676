#!/usr/bin/env bash
# Builds and runs the sound benchmark (encoder and decoder real-time factor)
# in its own Wine session. Usage: bench/sound/run.sh [seconds of sound] [least CPU seconds per side]
set -uo pipefail
. "$(dirname "$0")/../support/session.sh"
bench_session bench_sound
wine "$(wine_program "$BUILD/bench/sound/bench_sound")" "$@"
