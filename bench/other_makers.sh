#!/usr/bin/env bash
# Reading speed of the other makers' formats (1,000,000 records each) beside
# the instrument's own measurement file: MB/s of reading alone and of reading
# followed by the measurement conversion.
# usage: bash bench/other_makers.sh BUILD_DIR [RECORDS]
set -euo pipefail
build=${1:-build}
bench="$build/bench/bench_other_makers"
[ -x "$bench" ] || { echo "missing $bench (build bench_other_makers first)" >&2; exit 1; }
"$bench" "${2:-1000000}"
