#!/usr/bin/env bash
# Runs every benchmark program of a bench build (executables bench_* under BUILD/bench/), one
# after the other, and keeps their JSON results beside them.
set -euo pipefail
build=${1:?bench build folder}
status=0
found=0
while IFS= read -r program; do
  found=1
  name=$(basename "$program")
  echo "== $name"
  if ! "$program" --benchmark_out="$build/$name.json" --benchmark_out_format=json; then
    echo "$name FAILED"
    status=1
  fi
done < <(find "$build/bench" -type f -name 'bench_*' -perm -u+x | sort)
[ "$found" = 1 ] || { echo "no benchmark programs in $build/bench"; exit 1; }
exit $status
