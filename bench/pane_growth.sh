#!/usr/bin/env bash
# The pane's processor time per tick during a 2 MB download at 115200 baud,
# against rebuilding the whole pane each tick, then a live download over the
# simulated instrument into a pane that full (the window runs offscreen).
# usage: bash bench/pane_growth.sh BUILD_DIR [MEGABYTES] [LIVE_SECONDS]
set -euo pipefail
build=${1:-build}
bench="$build/bench/bench_pane_growth"
[ -x "$bench" ] || { echo "missing $bench (build bench_pane_growth first)" >&2; exit 1; }
QT_QPA_PLATFORM=offscreen "$bench" "${2:-2}" "${3:-10}"
