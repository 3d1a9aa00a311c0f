#!/usr/bin/env bash
# The download journal's cost per 300 ms tick at 115200 baud on a 2 MB
# download: each tick's append and flush to disk, timed back to back in a
# folder on the build's disk. Add --live to run the real download over the
# simulated instrument (about three minutes).
# usage: bash bench/journal_tick.sh BUILD_DIR [--live]
set -euo pipefail
build=${1:-build}
bench="$build/bench/bench_journal_tick"
[ -x "$bench" ] || { echo "missing $bench (build bench_journal_tick first)" >&2; exit 1; }
cd "$build"
if [ "${2:-}" = --live ]; then
  "./bench/bench_journal_tick" --live
else
  "./bench/bench_journal_tick"
fi
