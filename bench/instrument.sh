#!/usr/bin/env bash
# Instrument data conversion throughput: a generated coordinate file of
# 1,000,000 points into each of the eleven layouts, and a measurement file of
# similar size into all three outputs, with the CLI. Reports MB/s of source and
# peak memory (as a multiple of the source size) beside plain reads of the same
# file (cat, wc -l) in the same run. Best of 3 runs each, by wall time and by
# processor time (the machine may be shared).
# usage: bash bench/instrument.sh BUILD_DIR [POINTS]
set -euo pipefail
build=${1:-build}
points=${2:-1000000}
cli="$build/cli/veltramarlin-cli"
[ -x "$cli" ] || { echo "missing $cli (build veltramarlin-cli first)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - "$work" "$points" <<'PY'
import random, sys
random.seed(4)
work, count = sys.argv[1], int(sys.argv[2])

def write(path, make):
    with open(path, "wb") as f:
        chunk = []
        for i in range(1, count + 1):
            chunk.append(make(i))
            if len(chunk) == 10000:
                f.write("".join(chunk).encode())
                chunk = []
        f.write("".join(chunk).encode())

def coordinate(i):
    return "P%d,%d,%d,%d,K%d\r\n" % (i, 3512345678 + random.randrange(5000000),
                                     512345123 + random.randrange(5000000),
                                     40000 + random.randrange(20000), i % 50)

def measurement(i):
    angle = random.randrange(3600000)
    kind = i % 4
    if kind == 0:
        obs = "SD %d,%d,%d" % (angle, 800000 + random.randrange(200000), random.randrange(500000))
    elif kind == 1:
        obs = "HD %d,%d,%d" % (angle, random.randrange(500000), random.randrange(-9999, 9999))
    elif kind == 2:
        obs = "HV %d,%d" % (angle, 900000 + random.randrange(100000))
    else:
        obs = "XYZ %d,%d,%d" % (3512345678 + random.randrange(5000000),
                                512345123 + random.randrange(5000000), 40000 + random.randrange(20000))
    header = "UNITS m,d\r\nATMOS 20,1013\r\n" if i == 1 else ""
    return "%sSS P%d,1.600,K%d\r\n%s\r\n" % (header, i, i % 50, obs)

write(work + "/coord.txt", coordinate)
write(work + "/meas.txt", measurement)
PY

/usr/bin/python3 - "$work" "$cli" "$(dirname "$0")" <<'PY'
import os, sys
work, cli = sys.argv[1], sys.argv[2]
sys.path.insert(0, sys.argv[3])
from measure import measure

def report(label, source, argv):
    size = os.path.getsize(source)
    wall, cpu, peak = measure(argv)
    print("%-30s %7.1f MB/s wall %7.1f MB/s cpu  (%5.2f s, %5.2f s)  peak %6.1f MB = %4.2f x source" %
          (label, size / 1e6 / wall, size / 1e6 / cpu, wall, cpu, peak / 1e6, peak / size))

for name in ("coord", "meas"):
    source = os.path.join(work, name + ".txt")
    print("%s.txt: %.1f MB" % (name, os.path.getsize(source) / 1e6))
    report("  cat", source, ["cat", source])
    report("  wc -l", source, ["wc", "-l", source])
source = os.path.join(work, "coord.txt")
names = ["CT2100", "EPS", "SV300", "CASS3.X", "CASS4.X", "CASS5.X", "EPSW", "SCS", "SKC",
         "XTDMS5.0", "TOPCON"]
for layout, name in enumerate(names):
    report("coord --layout %d (%s)" % (layout, name), source,
           [cli, "coord", "--layout", str(layout), source, os.path.join(work, "out.txt")])
source = os.path.join(work, "meas.txt")
report("meas, all three outputs", source,
       [cli, "meas", "--layout", "0", "--coord", os.path.join(work, "c.txt"), "--angle-dist",
        os.path.join(work, "ad.txt"), "--angle", os.path.join(work, "a.txt"), source])
PY
