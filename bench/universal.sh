#!/usr/bin/env bash
# Universal conversion throughput: converts a generated file of 1,000,000
# coordinate records with the CLI and reports MB/s and peak memory beside
# plain reads of the same file (cat, wc -l) in the same run. Best of 3.
# usage: bash bench/universal.sh BUILD_DIR [RECORDS]
set -euo pipefail
build=${1:-build}
records=${2:-1000000}
cli="$build/cli/veltramarlin-cli"
[ -x "$cli" ] || { echo "missing $cli (build veltramarlin-cli first)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - "$work/source.txt" "$records" <<'PY'
import random, sys
random.seed(7)
path, count = sys.argv[1], int(sys.argv[2])
with open(path, "wb") as f:
    lines = []
    for i in range(count):
        lines.append("P%d,K%d,%.3f,%.3f,%.3f,%d\r\n" % (
            i + 1, i % 50, 3512345.678 + random.random() * 5000,
            512345.123 + random.random() * 5000, 40 + random.random() * 20, i + 1))
        if len(lines) == 10000:
            f.write("".join(lines).encode())
            lines = []
    f.write("".join(lines).encode())
PY

/usr/bin/python3 - "$work" "$cli" "$(dirname "$0")" <<'PY'
import os, sys
work, cli = sys.argv[1], sys.argv[2]
sys.path.insert(0, sys.argv[3])
from measure import measure
source = os.path.join(work, "source.txt")
size_mb = os.path.getsize(source) / 1e6

runs = [
    ("cat", ["sh", "-c", 'cat "$0" > /dev/null', source]),
    ("wc -l", ["wc", "-l", source]),
    ("universal", [cli, "universal", "--source-fields", "1,2,3,4,5,6",
                   "--target-fields", "1,2,4,3,5,6", "--attribute", "--numbering",
                   "--start", "1", "--header-count", "--add-x", "-3500000.123",
                   "--add-y", "-500000.001", "--mul-z", "1.0001",
                   source, os.path.join(work, "target.txt")]),
]
print("source: %d bytes (%.1f MB), %s" % (os.path.getsize(source), size_mb,
                                           open(source, "rb").readline().strip().decode()))
print("%-10s %8s %8s %8s %12s %14s" % ("command", "wall s", "MB/s", "CPU s", "MB/CPU-s",
                                       "peak RSS (MB)"))
for name, argv in runs:
    seconds, cpu, peak = measure(argv)
    print("%-10s %8.3f %8.1f %8.3f %12.1f %14.1f" % (
        name, seconds, size_mb / seconds, cpu, size_mb / cpu, peak / 1024 / 1024))
PY
