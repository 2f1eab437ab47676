#!/usr/bin/env bash
# The fan-out benchmark: our server in its own Wine process, the loopback viewers in
# a native process (loopback_load), and beside it in the same run the reference,
# Icecast 2, fed one source at the same byte rate and read by the same number of
# loopback listeners. Prints both per N, and the ratios. Loopback only; every wait
# is bounded, and the run stops by itself.
# Usage: bench/http/run.sh [seconds per N] [N ...]   (default: a quick run, 5 s at N = 100;
#        the full one: bench/http/run.sh 10 100 1000 2000)
# REFERENCE=0 skips Icecast. Each N also prints the socket calls per delivered packet.
# Then the churn phase: the program itself (a copy of dist/, free viewing) with one
# steady viewer, while CHURN_CLIENTS clients (12) each open and drop CHURN_EACH (300)
# stream connections; it prints the page time before, during and after the churn,
# the longest gap between two video packets at the steady viewer, and the
# program's threads. CHURN=0 skips it, CHURN=only runs nothing else.
# SERVER_EXE / PROGRAM_EXE: other builds of the benchmark server and the program (a winelib
# build's name.exe.so, or a Windows build's name.exe)
# to measure (an earlier state of the tree, say).
set -uo pipefail
SECONDS_PER_N="${1:-5}"
shift || true
COUNTS="${*:-100}"
REFERENCE="${REFERENCE:-1}"
CHURN="${CHURN:-1}"
CHURN_CLIENTS="${CHURN_CLIENTS:-12}"
CHURN_EACH="${CHURN_EACH:-300}"
. "$(dirname "$0")/../support/session.sh"
TARGETS="bench_http bench_stack"
[ "$CHURN" != 0 ] && TARGETS="$TARGETS Orvanta_TM mpeg4vidc patterncam"
bench_session --display --quiet $TARGETS
SERVER_EXE="${SERVER_EXE:-$(wine_program "$BUILD/bench/http/bench_http")}"
PROGRAM_EXE="${PROGRAM_EXE:-$(wine_program "$BUILD/dist/Orvanta_TM")}"
[ "$CHURN" = only ] && COUNTS=""
HERE="$BUILD/bench/http"
g++ -O2 -o "$HERE/loopback_load" "$ROOT/bench/http/loopback_load.cpp" || exit 1
cd "$HERE" || exit 1
WORK="$(mktemp -d /tmp/bench_http.XXXXXX)"
chmod 755 "$WORK"
ICE_PID=""
cleanup() {
  [ -n "$ICE_PID" ] && kill "$ICE_PID" 2>/dev/null
  rm -rf "$WORK"
  stop_session
}
trap cleanup EXIT

# key=value from a line of one of the programs.
field() { sed -n "s/.*\b$2=\([^ ]*\).*/\1/p" <<<"$1" | head -1; }

# Whether the platform honours a small thread stack (memory per connection thread).
wine "$(wine_program bench_stack)" 2>/dev/null | grep '^STACK'

ICECAST=""
if [ "$REFERENCE" = 1 ] && [ -n "$COUNTS" ]; then
  if ! command -v icecast2 >/dev/null; then
    if [ "$(id -u)" = 0 ]; then apt-get install -y icecast2 >/dev/null 2>&1
    else sudo -n apt-get install -y icecast2 >/dev/null 2>&1; fi
  fi
  command -v icecast2 >/dev/null && ICECAST=icecast2 || echo "reference: icecast2 is not installed, skipped"
fi

# The wine server of this prefix (its folder is named after the prefix's device and inode).
our_wineserver() {
  local dir p
  dir=$(printf "server-%x-%x" $(stat -c "%d %i" "$WINEPREFIX"))
  for p in $(pgrep wineserver); do
    readlink "/proc/$p/cwd" 2>/dev/null | grep -q "/$dir\$" && { echo "$p"; return; }
  done
}

free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }

wait_file() {  # path seconds
  local i
  for i in $(seq $(( $2 * 10 ))); do [ -e "$1" ] && return 0; sleep 0.1; done
  return 1
}

run_ours() {  # N -> the SERVER and VIEWERS lines
  local n=$1 port
  rm -f bench_http_port.txt bench_http_ready.txt
  wine "$SERVER_EXE" "$n" "$SECONDS_PER_N" bench_http_port.txt bench_http_ready.txt \
    >"$WORK/server.out" 2>/dev/null &
  local server=$!
  if ! wait_file bench_http_port.txt 60; then
    echo "ours: the server did not start"; kill "$server" 2>/dev/null; return 1
  fi
  port=$(cat bench_http_port.txt)
  # The CPU is read from /proc over the production window: the server's process and
  # the wine server that works for it (a request it serves is the server's cost too).
  SERVER_PID=$server WINESERVER_PID="$(our_wineserver)" PRODUCE_MS=$(( SECONDS_PER_N * 1000 )) \
  "$HERE/loopback_load" viewers "$port" "$n" $(( SECONDS_PER_N + 180 )) "$HERE/bench_http_ready.txt" \
    >"$WORK/viewers.out"
  wait "$server"
  OURS_SERVER=$(grep '^SERVER' "$WORK/server.out")
  OURS_VIEWERS=$(grep '^VIEWERS' "$WORK/viewers.out")
  OURS_PAGES=$(grep '^PAGES' "$WORK/viewers.out")
  OURS_CPU=$(grep '^CPU' "$WORK/viewers.out")
}

run_icecast() {  # N -> the SOURCE and LISTENERS lines
  local n=$1 port dir="$WORK/icecast"
  port=$(free_port)
  rm -rf "$dir"; mkdir -p "$dir"; chmod 777 "$dir"
  cat >"$dir/icecast.xml" <<EOF
<icecast>
  <location>loopback</location>
  <admin>bench@localhost</admin>
  <limits>
    <clients>$(( n + 20 ))</clients>
    <sources>2</sources>
    <queue-size>524288</queue-size>
    <client-timeout>30</client-timeout>
    <header-timeout>15</header-timeout>
    <source-timeout>240</source-timeout>
    <burst-on-connect>0</burst-on-connect>
    <burst-size>0</burst-size>
  </limits>
  <authentication>
    <source-password>benchsource</source-password>
    <admin-user>admin</admin-user>
    <admin-password>benchadmin</admin-password>
  </authentication>
  <hostname>127.0.0.1</hostname>
  <listen-socket><port>$port</port><bind-address>127.0.0.1</bind-address></listen-socket>
  <fileserve>0</fileserve>
  <paths>
    <basedir>/usr/share/icecast2</basedir>
    <logdir>$dir</logdir>
    <webroot>/usr/share/icecast2/web</webroot>
    <adminroot>/usr/share/icecast2/admin</adminroot>
  </paths>
  <logging><accesslog>access.log</accesslog><errorlog>error.log</errorlog><loglevel>2</loglevel></logging>
  <security><chroot>0</chroot></security>
</icecast>
EOF
  chmod 644 "$dir/icecast.xml"
  # It refuses to run as root: then as nobody (setpriv execs, so $! is the server itself).
  if [ "$(id -u)" = 0 ]; then
    setpriv --reuid=nobody --regid=nogroup --clear-groups icecast2 -c "$dir/icecast.xml" >/dev/null 2>&1 &
  else
    icecast2 -c "$dir/icecast.xml" >/dev/null 2>&1 &
  fi
  ICE_PID=$!
  local i
  for i in $(seq 100); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
    sleep 0.1
  done
  "$HERE/loopback_load" source "$port" "$SECONDS_PER_N" "$dir/ready" "$dir/mounted" "$ICE_PID" \
    >"$dir/source.out" &
  local source=$!
  wait_file "$dir/mounted" 30
  "$HERE/loopback_load" listeners "$port" "$n" $(( SECONDS_PER_N + 180 )) "$dir/ready" >"$dir/listeners.out" &
  local listeners=$!
  wait "$source"
  kill "$ICE_PID" 2>/dev/null
  wait "$ICE_PID" 2>/dev/null
  ICE_PID=""
  wait "$listeners"
  ICE_SOURCE=$(grep '^SOURCE' "$dir/source.out")
  ICE_LISTENERS=$(grep '^LISTENERS' "$dir/listeners.out")
}

for n in $COUNTS; do
  OURS_SERVER="" OURS_VIEWERS="" OURS_PAGES="" OURS_CPU="" ICE_SOURCE="" ICE_LISTENERS=""
  run_ours "$n"
  [ -n "$ICECAST" ] && run_icecast "$n"
  awk -v n="$n" \
      -v pv="$(field "$OURS_SERVER" produced_video)" -v pa="$(field "$OURS_SERVER" produced_audio)" \
      -v pc="$(field "$OURS_SERVER" produced_chat)" -v qv="$(field "$OURS_SERVER" queued_video)" \
      -v qa="$(field "$OURS_SERVER" queued_audio)" -v qc="$(field "$OURS_SERVER" queued_chat)" \
      -v win="$(field "$OURS_SERVER" window_ms)" -v cpu="$(field "$OURS_SERVER" cpu_ms)" \
      -v sb="$(field "$OURS_SERVER" space_base_kb)" -v se="$(field "$OURS_SERVER" space_end_kb)" \
      -v wb="$(field "$OURS_SERVER" ws_base_kb)" -v we="$(field "$OURS_SERVER" ws_end_kb)" \
      -v pcpu="$(field "$OURS_CPU" server_ms)" -v wscpu="$(field "$OURS_CPU" wineserver_ms)" \
      -v pwin="$(field "$OURS_CPU" window_ms)" -v pasked="$(field "$OURS_PAGES" asked)" \
      -v panswered="$(field "$OURS_PAGES" answered)" -v pmed="$(field "$OURS_PAGES" median_ms)" \
      -v pmax="$(field "$OURS_PAGES" max_ms)" \
      -v rtm="$(field "$OURS_SERVER" roundtrip_median_us)" -v rtp="$(field "$OURS_SERVER" roundtrip_p90_us)" \
      -v calls="$(field "$OURS_SERVER" socket_calls)" \
      -v conns="$(field "$OURS_VIEWERS" connections)" -v streaming="$(field "$OURS_VIEWERS" streaming)" \
      -v gv="$(field "$OURS_VIEWERS" video)" -v ga="$(field "$OURS_VIEWERS" audio)" \
      -v gc="$(field "$OURS_VIEWERS" chat)" -v bytes="$(field "$OURS_VIEWERS" bytes)" \
      -v ifed="$(field "$ICE_SOURCE" fed)" -v iwin="$(field "$ICE_SOURCE" window_ms)" \
      -v icpu="$(field "$ICE_SOURCE" cpu_ms)" -v irb="$(field "$ICE_SOURCE" rss_base_kb)" \
      -v ire="$(field "$ICE_SOURCE" rss_end_kb)" -v iconns="$(field "$ICE_LISTENERS" connections)" \
      -v istreaming="$(field "$ICE_LISTENERS" streaming)" -v ibytes="$(field "$ICE_LISTENERS" bytes)" '
    function pct(a, b) { return b > 0 ? 100.0 * a / b : 0 }
    BEGIN {
      if (pv == "") { printf "N=%d ours: no figures (the server or the viewers failed)\n", n; }
      else {
        due = (pv + pa + pc) * n
        mb = bytes / 1048576.0
        cores = win > 0 ? cpu / win : 0
        printf "N=%d ours:    connections=%d streaming=%d delivered=%.1f%% (video %.1f%%, audio %.1f%%, chat %.1f%%; queued %.1f%%) MB=%.1f cpu=%.2f cores %.1f ms/MB memory=%.0f KB/viewer (address space %.0f KB/viewer)\n",
          n, conns, streaming, pct(gv + ga + gc, due), pct(gv, pv * n), pct(ga, pa * n), pct(gc, pc * n),
          pct(qv + qa + qc, due), mb, cores, (mb > 0 ? cpu / mb : 0), (we - wb) / n, (se - sb) / n
        if (pwin > 0)
          printf "N=%d ours from /proc: process %.2f cores, wine server %.2f cores, together %.1f ms/MB\n", n,
            pcpu / pwin, wscpu / pwin, (mb > 0 ? (pcpu + wscpu) / mb * (win / pwin) : 0)
        if (pasked != "")
          printf "N=%d ours pages while streaming: asked=%d answered=%d median=%d ms max=%d ms\n", n, pasked,
            panswered, pmed, pmax
        if (calls != "" && gv + ga + gc > 0)
          printf "N=%d ours socket calls: %d, %.2f per delivered packet\n", n, calls, calls / (gv + ga + gc)
        if (rtm != "")
          printf "N=%d ours one wine server request while streaming: median=%d us p90=%d us\n", n, rtm, rtp
      }
      if (ifed == "") { if (ibytes != "" || iconns != "") printf "N=%d icecast: no figures\n", n; exit }
      imb = ibytes / 1048576.0
      icores = iwin > 0 ? icpu / iwin : 0
      printf "N=%d icecast: connections=%d streaming=%d delivered=%.1f%% MB=%.1f cpu=%.2f cores %.1f ms/MB memory=%.0f KB/listener\n",
        n, iconns, istreaming, pct(ibytes, ifed * n), imb, icores, (imb > 0 ? icpu / imb : 0), (ire - irb) / n
      ratioBase = pct(ibytes, ifed * n); if (ratioBase <= 0) ratioBase = 1
      cpuRatio = (icpu > 0) ? (cpu / mb) / (icpu / imb) : 0
      memRatio = (ire - irb > 0) ? (we - wb) / (ire - irb) : 0
      if (pv != "" && imb > 0 && mb > 0)
        printf "N=%d ratio ours/icecast: delivered %.3f  cpu per MB %.2f  memory per viewer %.2f\n", n,
          pct(gv + ga + gc, due) / ratioBase, cpuRatio, memRatio
    }'
done

# ---------------------------------------------------------------- churn
run_churn() {
  local dir="$WORK/program" port pid i
  rm -rf "$dir"; mkdir -p "$dir"
  cp -r "$BUILD/dist/." "$dir/"
  prog="Orvanta_TM.exe"; case "$PROGRAM_EXE" in *.so) prog="Orvanta_TM.exe.so" ;; esac
  cp "$PROGRAM_EXE" "$dir/$prog"
  rm -f "$dir/errors.log" "$dir"/contacts.tbl*
  # Free viewing without a password, no sounds: every video packet is due to the steady viewer.
  printf '[SETTINGS]\r\nPRICE=0\r\nPASS=\r\nSOUND=0\r\n' >"$dir/setup.ini"
  port=$(free_port)
  (cd "$dir" && ORVANTA_PORT=$port SOFTCARD_DEFAULT=softcard exec wine "./$prog" >program.out 2>&1 </dev/null) &
  pid=$!
  for i in $(seq 600); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
    sleep 0.1
  done
  echo "churn: load $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
  SERVER_PID=$pid "$HERE/loopback_load" churn "$port" "$CHURN_CLIENTS" "$CHURN_EACH" 600 | sed 's/^/churn: /'
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
}
[ "$CHURN" != 0 ] && run_churn
exit 0
