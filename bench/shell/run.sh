#!/usr/bin/env bash
# Builds and runs the shell benchmark in its own Wine session: a folder of
# 3,000 files and 100 subfolders shown by the shell file list and by the open
# dialog, each against a plain shell enumeration of that folder.
# Usage: bench/shell/run.sh [files] [folders] [runs]
set -uo pipefail
. "$(dirname "$0")/../support/session.sh"
bench_session --display bench_shell
wine "$(wine_program "$BUILD/bench/shell/bench_shell")" "$@"
