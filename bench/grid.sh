# Six panes (3 × 2) showing six of the 18 services: memory, CPU with the pages idle and
# while all six stream an answer, and how soon a change of layout is drawn, then the six
# streaming again with the window docked and slid in; then the same
# six pages in six Chromium windows tiled 3 × 2 over the same area.  Sourced by bench/run.

GRID_PAGES=(0 3 6 9 12 15)
BENCH_NAMES=(Aster Birch Cedar Dahlia Elm Fern Ginkgo Hazel Iris Juniper Kelp Laurel Maple Nettle Oak Poppy Quince Rowan)
GRID_SECONDS=${BENCH_GRID_SECONDS:-30}
GRID_REPEATS=${BENCH_GRID_REPEATS:-5}
# Wide enough that choosing three columns does not widen the app's window (that takes
# 1766) and that Chromium's windows (at least 500 wide) fit three in a row; the height
# keeps the area of the other runs' window (WIN_W × WIN_H). Both get the same rectangle.
GRID_W=1800 GRID_H=$((WIN_W * WIN_H / 1800))
TILE_W=$((GRID_W / 3)) TILE_H=$((GRID_H / 2))

grid_ids() {
  local ids="" n
  for n in "${GRID_PAGES[@]}"; do ids+="${ids:+,}\"$(printf 'custom_BENCH%02d' "$n")\""; done
  echo "[$ids]"
}
grid_list() { local IFS=,; echo "${GRID_PAGES[*]}"; }
shot() { [ -n "${BENCH_SHOTS:-}" ] && mkdir -p "$BENCH_SHOTS" && import -window root "$BENCH_SHOTS/$1.png"; }

# grid_measure NAME PID : memory, processes and CPU idle, then all six pages stream an
# answer at once (started together by the page server) and the CPU over as long.
grid_measure() {
  local name=$1 pid=$2 mark
  put "${name}_streams_open" $(( $(count_gets '/stream\?page=[0-9]+') - streams_before ))
  put "${name}_processes" "$(tree_pids "$pid" | wc -l)"
  put "${name}_pss_mb" $(( $(tree_pss_kb "$pid") / 1024 ))
  put "${name}_pss_per_page_process_mb" "$(mean_pss_mb "$pid" '^WebKitWebProces|--type=renderer')"
  # idle once the short reply every page streams by itself after loading (12 s) is done
  sleep 10
  put "${name}_idle_cpu_s" "$(cpu_over "$pid" "$GRID_SECONDS")"
  mark=$(wc -l <"$PAGE_LOG")
  curl -s "http://127.0.0.2:$PAGE_PORT/stream-go?seconds=$((GRID_SECONDS + 4))"
  sleep 2
  put "${name}_stream_cpu_s" "$(cpu_over "$pid" "$GRID_SECONDS")"
  streamed() { tail -n +"$((mark + 1))" "$PAGE_LOG" | grep -oE '"GET /streamed-[0-9]+-[0-9]+' | sed 's/.*-//'; }
  six_done() { [ "$(streamed | wc -l)" -ge ${#GRID_PAGES[@]} ]; }
  wait_for 20 six_done || echo "  not every page finished its answer" >&2
  put "${name}_streamed_pages" "$(streamed | wc -l)"
  put "${name}_pages_busy_s" "$(answers_busy_s "$mark" "$GRID_SECONDS" $((GRID_SECONDS + 4)))"
  put "${name}_stream_tokens_min" "$(streamed | sort -n | head -1)"
}

# layout_time KEY LAYOUT : milliseconds from the key to the window drawn in its new layout,
# "none" when nothing changed or the app did not store that layout. The keyboard is first
# put in a page, and the watch counts changes up to 2.8 s only: GTK shows focus rings after
# a key and hides them 3 s later, which is not the layout's drawing.
stored_layout() {
  python3 -c 'import json,sys; print(json.load(open(sys.argv[1])).get("paneLayout", ""))' \
    "$XDG_CONFIG_HOME/corvina/preferences.json" 2>/dev/null
}
stored_panes() {
  python3 -c 'import json,sys; print(json.dumps(json.loads(json.load(open(sys.argv[1]))["paneTabIDs"]), separators=(",", ":")))' \
    "$XDG_CONFIG_HOME/corvina/preferences.json" 2>/dev/null
}
layout_time() {
  xdotool mousemove $rest_x $rest_y click 1; sleep 1
  eval "$(xdotool getwindowgeometry --shell "$win")"
  if python3 "$BENCH_DIR/layout_watch.py" "$X" "$Y" "$WIDTH" "$HEIGHT" "$1" 2.8 1.5 >"$BENCH_ROOT/layout" \
       2>"$BENCH_ROOT/layout.err"; then
    cat "$BENCH_ROOT/layout" >>"$BENCH_ROOT/layouts"
    if [ "$(stored_layout)" = "$2" ]; then head -1 "$BENCH_ROOT/layout"; else echo none; fi
  else
    echo "  layout_watch.py failed: $(tail -1 "$BENCH_ROOT/layout.err")" >&2; echo none
  fi
}

echo "== 8. six panes (3 × 2), six of 18 services shown" >&2
outer_display=$DISPLAY
start_display 1920x1200x24; grid_xvfb=${BENCH_PIDS[-1]}
bench_home grid
write_prefs --stream="$(grid_list)" paneLayout=3x2 "paneTabIDs=$(grid_ids)"
base=$(loaded_count); streams_before=$(count_gets '/stream\?page=[0-9]+')
launch_app grid
win=$(main_window); xdotool windowmove "$win" 0 0; xdotool windowsize "$win" $GRID_W $GRID_H
wait_for 120 loads_at_least $((base + 18)) || echo "  not every page finished loading" >&2
put grid_pages_loaded $(( $(loaded_count) - base ))
sleep 3
shot grid-3x2
grid_measure grid "$APP_PID"
shot grid-3x2-streamed

# From six pages to 2 × 2 (four stay, drawn larger) and back to 3 × 2, whose two new panes
# start empty; they are given their services again before the next round. Keys go to the
# window under the pointer, which rests on the lower left page's list of conversations
# (it has no hover effects), away from buttons and their tooltips.
rest_x=$((row_x + 200)) rest_y=$((GRID_H - 60))
xdotool mousemove $rest_x $rest_y
sleep 5  # the tab bar's answering marks go some seconds after the answers end
to_four=() to_six=() layout_missed=0
for i in $(seq "$GRID_REPEATS"); do
  four=$(layout_time ctrl+alt+4 2x2); [ "$four" = none ] && layout_missed=$((layout_missed + 1)) || to_four+=("$four")
  [ "$i" = 1 ] && shot grid-2x2
  six=$(layout_time ctrl+alt+5 3x2); [ "$six" = none ] && layout_missed=$((layout_missed + 1)) || to_six+=("$six")
  [ "$i" = 1 ] && shot grid-3x2-two-empty
  echo "  round $i: to 2 × 2 $four ms, to 3 × 2 $six ms" >&2
  # the first new pane is the active one
  xdotool mousemove $row_x "$(row_y "${GRID_PAGES[4]}")" click 1; sleep 0.5
  xdotool key ctrl+alt+Right; sleep 0.3
  xdotool mousemove $row_x "$(row_y "${GRID_PAGES[5]}")" click 1; sleep 0.3
  xdotool mousemove $rest_x $rest_y; sleep 1.5
  [ "$(stored_panes)" = "$(grid_ids)" ] || echo "  the panes were not given their services again: $(stored_panes)" >&2
done
put layout_to_2x2_ms "$(median "${to_four[@]}")"
put layout_to_3x2_ms "$(median "${to_six[@]}")"
put layout_not_seen "$layout_missed"
put layout_resolution_ms "$(awk '/^resolution/ { s += $2; n++ } END { if (n) printf "%.1f", s / n }' "$BENCH_ROOT/layouts" 2>/dev/null)"
put grid_repeats "$GRID_REPEATS"
# Docked at the left edge and slid in, nothing of the six is on screen while they stream
# their next answers.
toolbar $DOCK_LEFT; sleep 1; xdotool mousemove $((GRID_W / 2)) $((GRID_H / 2)); sleep 2
shot grid-docked
mark=$(wc -l <"$PAGE_LOG")
curl -s "http://127.0.0.2:$PAGE_PORT/stream-go?seconds=$((GRID_SECONDS + 4))"
sleep 2
put grid_docked_stream_cpu_s "$(cpu_over "$APP_PID" "$GRID_SECONDS")"
docked_done() { [ "$(tail -n +"$((mark + 1))" "$PAGE_LOG" | grep -cE '"GET /streamed-')" -ge ${#GRID_PAGES[@]} ]; }
wait_for 20 docked_done || echo "  docked: not every page finished its answer" >&2
put grid_docked_pages_busy_s "$(answers_busy_s "$mark" "$GRID_SECONDS" $((GRID_SECONDS + 4)))"
kill_tree "$APP_PID"

echo "== 9. Chromium, the same six pages in six windows tiled 3 × 2" >&2
if command -v chromium >/dev/null; then
  bench_home chromium-grid
  base=$(loaded_count); streams_before=$(count_gets '/stream\?page=[0-9]+')
  profile=(--user-data-dir="$BENCH_ROOT/chromium-grid-profile")
  chromium "${CHROMIUM_FLAGS[@]}" "${profile[@]}" --window-size=$TILE_W,$TILE_H \
    "$(page_url "${GRID_PAGES[0]}" stream)" >"$BENCH_ROOT/chromium-grid.log" 2>&1 &
  CHROME_PID=$!; BENCH_PIDS+=($CHROME_PID)
  wait_for 60 loads_at_least $((base + 1))
  # the other five go to the running browser as windows of their own
  for n in "${GRID_PAGES[@]:1}"; do
    chromium "${CHROMIUM_FLAGS[@]}" "${profile[@]}" --new-window "$(page_url "$n" stream)" \
      >>"$BENCH_ROOT/chromium-grid.log" 2>&1
  done
  wait_for 120 loads_at_least $((base + ${#GRID_PAGES[@]})) || echo "  chromium: not every page finished loading" >&2
  put chromium_grid_pages_loaded $(( $(loaded_count) - base ))
  # each window to its place: the titles end in " ready" once a page has run its script
  k=0
  for n in "${GRID_PAGES[@]}"; do
    w=$(xdotool search --onlyvisible --name "^${BENCH_NAMES[$n]} Chat ready - Chromium\$" | head -1)
    [ -n "$w" ] && xdotool windowsize "$w" $TILE_W $TILE_H && xdotool windowmove "$w" $(( k % 3 * TILE_W )) $(( k / 3 * TILE_H ))
    k=$((k + 1))
  done
  sleep 3
  shot chromium-3x2
  grid_measure chromium_grid "$CHROME_PID"
  kill_tree "$CHROME_PID"
else
  echo "  chromium is not installed (scripts/install-bench-deps)" >&2
fi
kill_tree "$grid_xvfb"
export DISPLAY=$outer_display
