# Sourced by test.sh and run.sh: one X display and one persistent wineserver
# for everything started in this shell, and a prefix prepared by prefix.sh.
. "$(dirname "${BASH_SOURCE[0]}")/env.sh"
XVFB_PID=""
start_display() {
  if [ -z "${DISPLAY:-}" ] || [ "${FORCE_XVFB:-0}" = 1 ]; then
    local n pid
    unset DISPLAY
    for n in $(seq 90 250); do
      # A lock whose server is gone is stale: Xvfb takes the number over itself.
      if [ -e "/tmp/.X$n-lock" ]; then
        pid=$(tr -dc 0-9 <"/tmp/.X$n-lock" 2>/dev/null)
        [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && continue
      fi
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      XVFB_PID=$!
      for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
      # Another session may have taken the same number at the same moment.
      if kill -0 "$XVFB_PID" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
        export DISPLAY=":$n"
        break
      fi
      XVFB_PID=""
    done
    if [ -z "${DISPLAY:-}" ]; then
      echo "wine-session: no free X display number between 90 and 250" >&2
      return 1
    fi
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
