#!/usr/bin/env bash
# Conversion throughput against mawk doing the same work in the same run: the
# coordinate conversion into each of the eleven layouts, the measurement
# conversion into its three outputs, the universal conversion, the printable
# table and the DXF drawing of the coordinates, each over a
# generated file of 1,000,000 records. Every awk rendering (bench/awk) is first
# checked byte for byte against the program's output. Reports MB/s, the ratio
# to mawk and peak memory; with BEFORE_CLI set, also the times of that build.
# usage: bash bench/conversions.sh BUILD_DIR [RECORDS]
set -euo pipefail
build=${1:-build}
records=${2:-1000000}
cli="$build/cli/veltramarlin-cli"
[ -x "$cli" ] || { echo "missing $cli (build veltramarlin-cli first)" >&2; exit 1; }
command -v mawk > /dev/null || { echo "mawk is not installed" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 "$(dirname "$0")/conversions.py" "$work" "$cli" "$records" "${BEFORE_CLI:-}"
