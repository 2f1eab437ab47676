#!/usr/bin/env bash
# Builds and runs the viewer's glass-to-glass benchmark in its own Wine session:
# a loopback broadcast watched by the viewer host with the real control.
# Usage: bench/viewer/run.sh [seconds]     (default 60)
set -uo pipefail
. "$(dirname "$0")/../support/session.sh"
bench_session --display bench_viewer ViewerHost quenda mpeg4vidc
# The control's sound goes to the software sound card, which writes it here
# (read from the Unix environment, so it is set before Wine starts).
export SOFTCARD_DEFAULT=softcard SOFTCARD_OUT="$BUILD/bench/viewer/played.raw"
wine "$(wine_program "$BUILD/bench/viewer/bench_viewer")" "$@"
