# Section 11, sourced by bench/run: the prompt library of 1,000 files, in-process.
echo "== 11. prompt list, 1,000 prompts: keystroke to list updated (target under 16 ms), a file saved outside to list updated, 1,000 imported" >&2
PROMPT_BENCH="$BUILD/tests/prompt_list_bench"
if [ -x "$PROMPT_BENCH" ]; then
  prompt_values=$("$PROMPT_BENCH")
  put prompt_list_keystroke_ms "$(sed -n 's/^prompt_list_keystroke_median_ms=//p' <<<"$prompt_values")"
  put prompt_list_keystroke_worst_ms "$(sed -n 's/^prompt_list_keystroke_worst_ms=//p' <<<"$prompt_values")"
  put prompt_outside_edit_ms "$(sed -n 's/^prompt_outside_edit_ms=//p' <<<"$prompt_values")"
  put prompt_import_1000_ms "$(sed -n 's/^prompt_import_1000_ms=//p' <<<"$prompt_values")"
else
  echo "  no $PROMPT_BENCH; build it first" >&2
fi
