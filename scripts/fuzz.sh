#!/usr/bin/env bash
# Builds every libFuzzer target with clang, replays its seed corpus, then
# fuzzes it for SECONDS (default 12, the short fixed run of `make test`) on a
# copy of that corpus. Any crash, sanitizer report, broken property, leak or timeout
# fails the run; the input is kept in build-fuzz/findings/ to become a
# regression test. Eleven targets at 12 s take about two and a half minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-12}
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVM_FUZZ=ON -DVM_TESTS=OFF -DVM_BENCH=OFF > /dev/null
cmake --build $build --target fuzz_all -j "$(nproc)"
mkdir -p $build/findings
options=(-max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1)
started=$SECONDS
count=0
for target in $build/tests/fuzz/*_fuzz; do
  name=$(basename "$target" _fuzz)
  seeds=tests/fuzz/corpus/$name
  corpus=$build/corpus-ci/$name
  rm -rf "$corpus"; mkdir -p "$corpus"
  if [ -d "$seeds" ]; then cp -r "$seeds"/. "$corpus/"; fi
  log=$build/findings/$name-ci.log
  if ! "$target" "${options[@]}" -artifact_prefix=$build/findings/$name- \
        -max_total_time="$seconds" "$corpus" > "$log" 2>&1; then
    echo "FINDING in $name:"; tail -n 40 "$log"; exit 1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  echo "$name: $runs executions in ${seconds}s, no finding"
  count=$((count + 1))
done
echo "fuzz: $count targets, $((SECONDS - started))s of fuzzing, no finding"
