# Sourced by bench/*/run.sh: the Wine set-up every benchmark shares.
#   bench_session [--display] [--quiet] target ...
# builds the targets, then starts the benchmark's own Wine session: its own X
# display (Xvfb) with --display, the build's prefix and one persistent
# wineserver, all stopped when the script exits. --quiet drops the build's
# output. Afterwards the shell is in the source tree, with $ROOT and $BUILD set.
BENCH_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

bench_session() {
  local display=0 quiet=0
  while [ $# -gt 0 ]; do
    case "$1" in
      --display) display=1 ;;
      --quiet) quiet=1 ;;
      *) break ;;
    esac
    shift
  done
  cd "$BENCH_ROOT" || exit 1
  if [ "$quiet" = 1 ]; then
    BUILD_TARGETS="$*" bash scripts/build.sh >/dev/null || exit 1
  else
    BUILD_TARGETS="$*" bash scripts/build.sh || exit 1
  fi
  # A display of the benchmark's own, even when one is open: timings do not
  # share it with a desktop or with tests.
  FORCE_XVFB=1
  . scripts/wine-session.sh
  trap stop_session EXIT
  if [ "$display" = 1 ]; then start_display; fi
  start_wine
}
