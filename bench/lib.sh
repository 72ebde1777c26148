# Shared by bench/run and bench/tour: a private Xvfb display and HOME, the local page
# server, preference files and process-tree helpers.  Source it; call bench_setup first.
BENCH_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

bench_setup() {
  BENCH_ROOT=$(mktemp -d /tmp/corvina-bench.XXXXXX)
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$BENCH_ROOT/no-bus" GDK_BACKEND=x11 NO_AT_BRIDGE=1
  export GSETTINGS_BACKEND=memory GTK_A11Y=none
  export XDG_RUNTIME_DIR="$BENCH_ROOT/run"; mkdir -p "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
  BENCH_PIDS=()
  trap bench_cleanup EXIT
  start_display "${BENCH_SCREEN:-1440x1200x24}"
}

# A private Xvfb of that size (WxHxDEPTH) becomes DISPLAY and BENCH_DISPLAY.
start_display() {
  local n
  for n in $(seq 160 220); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { BENCH_DISPLAY=":$n"; break; }
  done
  Xvfb "$BENCH_DISPLAY" -screen 0 "$1" -nolisten tcp >/dev/null 2>&1 &
  BENCH_PIDS+=($!)
  export DISPLAY=$BENCH_DISPLAY
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${BENCH_DISPLAY#:}" ] && break; sleep 0.05; done
}

bench_cleanup() {
  local p
  for p in "${BENCH_PIDS[@]}"; do kill_tree "$p"; done
  [ -n "${BENCH_ROOT:-}" ] && rm -rf "$BENCH_ROOT"
}

# Fresh HOME under the bench root: bench_home NAME
bench_home() {
  export HOME="$BENCH_ROOT/$1" XDG_CONFIG_HOME="$BENCH_ROOT/$1/.config"
  export XDG_DATA_HOME="$BENCH_ROOT/$1/.local/share" XDG_CACHE_HOME="$BENCH_ROOT/$1/.cache"
  rm -rf "$HOME"; mkdir -p "$XDG_CONFIG_HOME/corvina"
}

# Generates the pages and serves each on its own loopback address, a site of its own;
# sets PAGE_PORT and PAGE_LOG.
start_pages() {
  PAGE_DIR="$BENCH_ROOT/pages"; PAGE_LOG="$BENCH_ROOT/pages.log"
  python3 "$BENCH_DIR/pages/generate.py" "$PAGE_DIR" "${BENCH_SCRIPT_KB:-2048}" >/dev/null
  PAGE_PORT=$(python3 -c 'import socket;s=socket.socket();s.bind(("127.0.0.2",0));print(s.getsockname()[1])')
  python3 -u "$BENCH_DIR/pages/serve.py" "$PAGE_DIR" "$PAGE_PORT" >"$PAGE_LOG" 2>&1 &
  BENCH_PIDS+=($!)
  for _ in $(seq 100); do python3 -c "import urllib.request;urllib.request.urlopen('$(page_url 17)')" 2>/dev/null && break; sleep 0.1; done
}

# The address of chat page N (0-17); with "stream", the page that streams an answer.
page_url() { echo "http://127.0.0.$(($1 + 2)):$PAGE_PORT/chat-$1.html${2:+?$2}"; }

# write_prefs [key=value ...] : the preference file for the current HOME
write_prefs() { python3 "$BENCH_DIR/prefs.py" "$XDG_CONFIG_HOME/corvina/preferences.json" "$PAGE_PORT" "$@"; }

# Number of GET requests for a path pattern in the page log so far.
count_gets() { grep -cE "\"GET $1 HTTP" "$PAGE_LOG" || true; }

# All descendants of a pid, and the pid itself.
tree_pids() {
  local p=$1 c
  echo "$p"
  for c in $(cat /proc/"$p"/task/*/children 2>/dev/null); do tree_pids "$c"; done
}

kill_tree() {
  local pids
  pids=$(tree_pids "$1" 2>/dev/null | tac)
  [ -n "$pids" ] && kill $pids 2>/dev/null
  sleep 0.3
  pids=$(tree_pids "$1" 2>/dev/null)
  [ -n "$pids" ] && kill -9 $pids 2>/dev/null
  wait "$1" 2>/dev/null || true
}

# Sum of Pss (kB) over a process tree.
tree_pss_kb() {
  local total=0 p v
  for p in $(tree_pids "$1"); do
    v=$(awk '/^Pss:/{print $2}' /proc/"$p"/smaps_rollup 2>/dev/null)
    total=$((total + ${v:-0}))
  done
  echo "$total"
}

# Sum of utime+stime (clock ticks) over a process tree.
tree_ticks() {
  local total=0 p v
  for p in $(tree_pids "$1"); do
    v=$(sed 's/.*) //' /proc/"$p"/stat 2>/dev/null | awk '{print $12 + $13}')
    total=$((total + ${v:-0}))
  done
  echo "$total"
}

# Seconds the pages' own handling of the answers finished since log line MARK took, their
# share of MEASURED seconds out of STREAMED: answers_busy_s MARK MEASURED STREAMED
answers_busy_s() {
  tail -n +"$(($1 + 1))" "$PAGE_LOG" | grep -oE '"GET /streamed-[0-9]+-[0-9]+\?busy=[0-9]+' |
    sed 's/.*=//' | awk -v measured="$2" -v streamed="$3" '{ s += $1 } END { printf "%.2f", s / 1000 * measured / streamed }'
}

cpu_over() {  # cpu_over PID SECONDS : CPU seconds of the tree over that time
  local c0 c1; c0=$(tree_ticks "$1"); sleep "$2"; c1=$(tree_ticks "$1")
  python3 -c "print(round(($c1-$c0)/$(getconf CLK_TCK),2))"
}

now_ms() { date +%s%3N; }

CHROMIUM_FLAGS=(--no-sandbox --disable-gpu --no-first-run --disable-background-networking
  --disable-component-update --disable-sync --password-store=basic)

# The main window's X id (waits until it is mapped).
main_window() { xdotool search --sync --onlyvisible --name '^Corvina$' 2>/dev/null | head -1; }
