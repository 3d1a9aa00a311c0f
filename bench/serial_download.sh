#!/usr/bin/env bash
# Serial download at every listed baud rate over the simulated instrument:
# pane bytes per second against the line rate, and the time from the last byte
# to the end of the download (the end rule needs 600 ms of silence).
# usage: bash bench/serial_download.sh BUILD_DIR [SECONDS_PER_RATE]
set -euo pipefail
build=${1:-build}
bench="$build/bench/bench_serial_download"
[ -x "$bench" ] || { echo "missing $bench (build bench_serial_download first)" >&2; exit 1; }
"$bench" "${2:-4}"
