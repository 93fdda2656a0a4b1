#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for the given number of seconds, each starting
# from its committed corpus (copied, so new inputs do not land in the tree).
set -euo pipefail
build=${1:?fuzz build folder}
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
status=0
for target in "$build"/fuzz/*/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target"); name=${name#fuzz_}
  work=$(mktemp -d)
  cp -r "$here/$name/corpus/." "$work/" 2>/dev/null || true
  echo "== fuzz $name for ${seconds}s"
  if ! ASAN_OPTIONS=detect_leaks=1 "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$build/fuzz-$name-" -print_final_stats=1 "$work" 2>"$build/fuzz-$name.log"; then
    echo "fuzz $name FAILED; see $build/fuzz-$name.log and the artifacts $build/fuzz-$name-*"
    tail -40 "$build/fuzz-$name.log"
    status=1
  else
    grep -E 'stat::number_of_executed_units|Done [0-9]+ runs' "$build/fuzz-$name.log" | tail -2 || true
  fi
  rm -rf "$work"
done
exit $status
