#!/usr/bin/env python3
"""Prints the benchmark table and writes it as JSON.  Usage: report.py VALUES OUT.json COMMIT"""
import json
import sys


def number(text):
    try:
        return float(text) if "." in text else int(text)
    except ValueError:
        return None


def ratio(a, b):
    return round(a / b, 2) if isinstance(a, (int, float)) and isinstance(b, (int, float)) and b else None


def main():
    values = {}
    with open(sys.argv[1]) as f:
        for line in f:
            key, _, value = line.strip().partition("=")
            values[key] = number(value)
    v = values.get
    rows = [
        ("start-up: exec to first window frame (median of 5)", v("startup_first_frame_ms"), "ms", None, None),
        ("start-up: exec to first page finished (median of 5)", v("startup_first_page_ms"), "ms", None, None),
        ("tab switch: click to new page on screen, median", v("switch_median_ms"), "ms", None, None),
        ("tab switch: worst of 50", v("switch_worst_ms"), "ms", None, None),
        ("Ask Several: Enter to 6 pages sent, median of 5", v("ask_several_6_targets_ms"), "ms", None, None),
        ("prompt list: keystroke to list updated, 1,000 prompts, median", v("prompt_list_keystroke_ms"), "ms", None,
         None),
        ("prompt list: keystroke to list updated, worst", v("prompt_list_keystroke_worst_ms"), "ms", None, None),
        ("prompt library: a file saved outside to list updated, median of 20", v("prompt_outside_edit_ms"), "ms", None,
         None),
        ("prompt library: a folder of 1,000 prompts imported", v("prompt_import_1000_ms"), "ms", None, None),
        ("tab switch: one screen grab takes (resolution)", v("switch_grab_resolution_ms"), "ms", None, None),
        ("tab switch: switches not seen on screen", v("switch_not_seen"), "", None, None),
        ("tab switch: page loads during 50 switches", v("switch_page_loads"), "", None, None),
        ("memory (PSS), 18 services, one pane", v("app_pss_one_pane_mb"), "MB", v("chromium_pss_mb"), "MB"),
        ("memory (PSS) per web process / renderer, one pane", v("app_pss_per_web_process_mb"), "MB",
         v("chromium_pss_per_renderer_mb"), "MB"),
        ("memory (PSS), 18 services, two panes", v("app_pss_split_mb"), "MB", None, None),
        ("processes, one pane / Chromium", v("app_processes"), "", v("chromium_processes"), ""),
        (f"idle CPU time over {v('idle_seconds')} s, 18 services", v("app_idle_cpu_s"), "s", v("chromium_idle_cpu_s"), "s"),
        (f"idle CPU time over {v('idle_seconds')} s, docked and slid in (vs shown)", v("app_idle_cpu_docked_s"), "s",
         v("app_idle_cpu_s"), "s"),
        ("budget on: memory (PSS) at start, services load when opened", v("budget_pss_at_start_mb"), "MB",
         v("chromium_pss_mb"), "MB"),
        ("budget on: memory (PSS), 18 opened, 17 asleep", v("budget_pss_asleep_mb"), "MB", v("chromium_pss_mb"), "MB"),
        ("budget on: web processes, 17 asleep", v("budget_web_processes"), "", None, None),
        (f"budget on: idle CPU time over {v('idle_seconds')} s, 17 asleep", v("budget_idle_cpu_s"), "s",
         v("chromium_idle_cpu_s"), "s"),
        ("memory (PSS), six panes (3×2), 18 services", v("grid_pss_mb"), "MB", v("chromium_grid_pss_mb"), "MB"),
        ("memory (PSS), six panes vs two panes, 18 services", v("grid_pss_mb"), "MB", v("app_pss_split_mb"), "MB"),
        ("memory (PSS) per web process / renderer, six panes", v("grid_pss_per_page_process_mb"), "MB",
         v("chromium_grid_pss_per_page_process_mb"), "MB"),
        ("processes, six panes / six Chromium windows", v("grid_processes"), "", v("chromium_grid_processes"), ""),
        (f"CPU time over {v('grid_seconds')} s, six panes, pages idle", v("grid_idle_cpu_s"), "s",
         v("chromium_grid_idle_cpu_s"), "s"),
        (f"CPU time over {v('grid_seconds')} s, six panes each streaming an answer", v("grid_stream_cpu_s"), "s",
         v("chromium_grid_stream_cpu_s"), "s"),
        (f"CPU time over {v('grid_seconds')} s, six streaming, docked and slid in (vs shown)",
         v("grid_docked_stream_cpu_s"), "s", v("grid_stream_cpu_s"), "s"),
        (f"  the same, docked, vs the six pages' own handling of the tokens", v("grid_docked_stream_cpu_s"), "s",
         v("grid_docked_pages_busy_s"), "s"),
        (f"CPU time over {v('stream_seconds')} s, one chat page streaming an answer", v("stream_one_stream_cpu_s"), "s",
         v("chromium_stream_stream_cpu_s"), "s"),
        (f"CPU time over {v('stream_seconds')} s, one quiet chat page", v("stream_one_quiet_cpu_s"), "s",
         v("chromium_stream_quiet_cpu_s"), "s"),
        (f"CPU time over {v('stream_seconds')} s, one page streaming, answer watch off", v("stream_unwatched_stream_cpu_s"),
         "s", v("chromium_stream_stream_cpu_s"), "s"),
        ("  the same, watch on vs off", v("stream_one_stream_cpu_s"), "s", v("stream_unwatched_stream_cpu_s"), "s"),
        ("memory (PSS) per web process / renderer, one page, watch on", v("stream_one_pss_per_web_process_mb"), "MB",
         v("chromium_stream_pss_per_renderer_mb"), "MB"),
        ("memory (PSS) per web process, one page, watch on vs off", v("stream_one_pss_per_web_process_mb"), "MB",
         v("stream_unwatched_pss_per_web_process_mb"), "MB"),
        (f"layout 3×2 → 2×2 (Ctrl+Alt+4): key to drawn, median of {v('grid_repeats')}",
         v("layout_to_2x2_ms"), "ms", None, None),
        (f"layout 2×2 → 3×2 (Ctrl+Alt+5): key to drawn, median of {v('grid_repeats')}",
         v("layout_to_3x2_ms"), "ms", None, None),
        ("layout: one read of the window takes (resolution)", v("layout_resolution_ms"), "ms", None, None),
        ("layout: changes not seen on screen", v("layout_not_seen"), "", None, None),
    ]
    table = []
    print(f"\nCorvina benchmark, commit {sys.argv[3]}")
    print(f"{'measure':<60} {'Corvina':>12} {'Chromium':>12} {'ratio':>7}")
    print("-" * 94)
    for name, ours, unit, theirs, unit2 in rows:
        r = ratio(ours, theirs)
        show = lambda x, u: "n/a" if x is None else f"{x} {u}".strip()
        print(f"{name:<60} {show(ours, unit):>12} {show(theirs, unit2) if unit2 is not None else '':>12} "
              f"{'' if r is None else r:>7}")
        table.append({"measure": name, "corvina": ours, "chromium": theirs, "unit": unit, "ratio": r})
    print(f"(pages loaded: at start {v('pages_loaded_at_start')}, split {v('split_pages_loaded')}, "
          f"Chromium {v('chromium_pages_loaded')}, budget at start {v('budget_pages_loaded_at_start')} and opened "
          f"{v('budget_pages_opened')}, sleep time {v('sleep_seconds')} s; run took {v('run_seconds')} s)")
    print(f"(six panes: pages loaded {v('grid_pages_loaded')}, answers streamed {v('grid_streamed_pages')} "
          f"of at least {v('grid_stream_tokens_min')} tokens; Chromium's six windows: pages loaded "
          f"{v('chromium_grid_pages_loaded')}, answers streamed {v('chromium_grid_streamed_pages')} of at least "
          f"{v('chromium_grid_stream_tokens_min')} tokens)")
    print(f"(one page: tokens streamed {v('stream_one_stream_tokens')}, watch off {v('stream_unwatched_stream_tokens')}, "
          f"Chromium {v('chromium_stream_stream_tokens')})")
    with open(sys.argv[2], "w") as f:
        json.dump({"commit": sys.argv[3], "values": values, "table": table}, f, indent=2)
    print(f"written to {sys.argv[2]}")


if __name__ == "__main__":
    main()
