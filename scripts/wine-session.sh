# Sourced by test.sh and run.sh: one X display and one persistent wineserver
# for everything started in this shell, and a prefix prepared by prefix.sh.
. "$(dirname "${BASH_SOURCE[0]}")/env.sh"
XVFB_PID=""
start_display() {
  if [ -z "${DISPLAY:-}" ] || [ "${FORCE_XVFB:-0}" = 1 ]; then
    local n
    for n in $(seq 90 140); do
      [ -e "/tmp/.X$n-lock" ] && continue
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      XVFB_PID=$!
      export DISPLAY=":$n"
      for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
      break
    done
  fi
}
stop_session() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" >/dev/null 2>&1 || true
}
start_wine() {
  bash "$ROOT/scripts/prefix.sh" </dev/null
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  # One persistent server for the whole run, so each process starts quickly.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}
