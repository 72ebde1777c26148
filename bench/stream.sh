# One chat page in one window: its CPU while quiet (nothing moves), then while an answer
# streams from the page server (a token every 50 ms, the whole message rendered again per
# token); in Corvina with the answer watch on and off, and in Chromium at the same window
# size. Sourced by bench/run.

STREAM_PAGE=4
STREAM_SECONDS=${BENCH_STREAM_SECONDS:-30}

# stream_measure NAME PID : quiet CPU, then streaming CPU, over STREAM_SECONDS each
stream_measure() {
  local name=$1 pid=$2 mark
  sleep 5
  put "${name}_quiet_cpu_s" "$(cpu_over "$pid" "$STREAM_SECONDS")"
  mark=$(wc -l <"$PAGE_LOG")
  curl -s "http://127.0.0.2:$PAGE_PORT/stream-go?seconds=$((STREAM_SECONDS + 4))"
  sleep 2
  put "${name}_stream_cpu_s" "$(cpu_over "$pid" "$STREAM_SECONDS")"
  streamed() { tail -n +"$((mark + 1))" "$PAGE_LOG" | grep -oE '"GET /streamed-[0-9]+-[0-9]+' | sed 's/.*-//'; }
  one_done() { [ "$(streamed | wc -l)" -ge 1 ]; }
  wait_for 20 one_done || echo "  the answer did not finish" >&2
  put "${name}_stream_tokens" "$(streamed | head -1)"
  put "${name}_page_busy_s" "$(answers_busy_s "$mark" "$STREAM_SECONDS" $((STREAM_SECONDS + 4)))"
}

# stream_corvina NAME [PARTS TURNED OFF]
stream_corvina() {
  bench_home "$1"
  write_prefs --only=$STREAM_PAGE --stream=$STREAM_PAGE --quiet
  local base; base=$(loaded_count)
  CORVINA_BENCH_OFF=${2:-} launch_app "$1"
  win=$(main_window); xdotool windowmove "$win" 0 0; xdotool windowsize "$win" $WIN_W $WIN_H
  wait_for 60 loads_at_least $((base + 1)) || echo "  the page did not finish loading" >&2
  # the pointer away from the window: no hover effects while measuring
  xdotool mousemove $((WIN_W + 100)) 10
  stream_measure "$1" "$APP_PID"
  put "${1}_pss_per_web_process_mb" "$(mean_pss_mb "$APP_PID" '^WebKitWebProces')"
  kill_tree "$APP_PID"
}

echo "== 10. one chat page, quiet and streaming an answer, ${STREAM_SECONDS} s each" >&2
stream_corvina stream_one
echo "  again with the answer watch off" >&2
stream_corvina stream_unwatched answer-watch
if command -v chromium >/dev/null; then
  bench_home chromium-stream
  base=$(loaded_count)
  chromium "${CHROMIUM_FLAGS[@]}" --user-data-dir="$BENCH_ROOT/chromium-stream-profile" --window-size=$WIN_W,$WIN_H \
    --window-position=0,0 "$(page_url $STREAM_PAGE 'stream&quiet')" >"$BENCH_ROOT/chromium-stream.log" 2>&1 &
  CHROME_PID=$!; BENCH_PIDS+=($CHROME_PID)
  wait_for 60 loads_at_least $((base + 1)) || echo "  chromium: the page did not finish loading" >&2
  xdotool mousemove $((WIN_W + 100)) 10
  stream_measure chromium_stream "$CHROME_PID"
  put chromium_stream_pss_per_renderer_mb "$(mean_pss_mb "$CHROME_PID" '--type=renderer')"
  kill_tree "$CHROME_PID"
else
  echo "  chromium is not installed (scripts/install-bench-deps)" >&2
fi
