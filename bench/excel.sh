#!/usr/bin/env bash
# The Excel export (.xls) of a generated coordinate file of 1,000,000 points
# (16 sheets of 65,536 rows): text cells, number cells (--numbers), and point
# codes in Chinese, half the lines GBK and half UTF-8. Each is run several
# times; reports the source's MB/s at the best time, the best wall-clock and
# processor times, and peak memory, beside the goals (1.5 s, 300 MB).
# usage: bash bench/excel.sh BUILD_DIR [RECORDS] [RUNS]
set -euo pipefail
build=${1:-build}
records=${2:-1000000}
runs=${3:-5}
cli="$build/cli/veltramarlin-cli"
[ -x "$cli" ] || { echo "missing $cli (build veltramarlin-cli first)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 - "$(dirname "$0")" "$work" "$cli" "$records" "$runs" <<'PY'
import os, sys, time
here, work, cli, records, runs = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4]), int(sys.argv[5])
sys.path.insert(0, here)
from measure import run_once

def source(name, code):
    path = os.path.join(work, name + ".txt")
    with open(path, "wb") as f:
        for i in range(records):
            line = "P%d,%d.%03d,%d.%03d,%d.%03d,%s\r\n" % (
                i, 2500000 + i, i % 1000, 500000 + i % 7777, i * 7 % 1000,
                40 + i % 50, i * 3 % 1000, code(i))
            f.write(line.encode("utf-8" if i % 2 else "gbk"))
    return path

plain = source("plain", lambda i: "K%d" % (i % 97))
chinese = source("chinese", lambda i: "树%d" % (i % 97))
target = os.path.join(work, "points.xls")
print("Excel export, %d points (%d runs each; goals: 1.5 s, 300 MB)" % (records, runs))
for label, path, options in (("text cells", plain, []), ("--numbers", plain, ["--numbers"]),
                             ("GBK+UTF-8 codes", chinese, [])):
    walls, cpus, peaks = [], [], []
    for _ in range(runs):
        start = time.perf_counter()
        cpu, peak = run_once([cli, "excel", *options, path, target])
        walls.append(time.perf_counter() - start)
        cpus.append(cpu)
        peaks.append(peak)
    megabytes = os.path.getsize(path) / 1e6
    print("  %-16s %6.1f MB -> %6.1f MB  %6.1f MB/s  best %.2f s (processor %.2f s)  peak %4d MB"
          % (label, megabytes, os.path.getsize(target) / 1e6, megabytes / min(walls),
             min(walls), min(cpus), max(peaks) // 2**20))
PY
