#!/usr/bin/env bash
# Builds every libFuzzer target with clang and runs each for SECONDS (default 60)
# on a copy of its seed corpus. Fails on the first finding; the crashing input is
# left in build-fuzz/findings/ to become a regression test.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVM_FUZZ=ON -DVM_TESTS=OFF -DVM_BENCH=OFF > /dev/null
cmake --build $build --target fuzz_all -j "$(nproc)"
mkdir -p $build/findings
total=0
for target in $build/tests/fuzz/*_fuzz; do
  name=$(basename "$target" _fuzz)
  corpus=$build/corpus/$name
  rm -rf "$corpus"; mkdir -p "$corpus"
  if [ -d tests/fuzz/corpus/$name ]; then cp -r tests/fuzz/corpus/$name/. "$corpus/"; fi
  log=$build/findings/$name.log
  if ! "$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix=$build/findings/$name- -print_final_stats=1 "$corpus" > "$log" 2>&1; then
    echo "FINDING in $name:"; tail -n 40 "$log"; exit 1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  echo "$name: $runs executions in ${seconds}s, no finding"
  total=$((total + seconds))
done
echo "fuzzing done: ${total}s in all, no finding"
