#!/usr/bin/env bash
# Reads DXF drawings written by `veltramarlin-cli dxf` with an independent reader
# (ezdxf, from Debian's python3-ezdxf) and checks every POINT and TEXT against
# the points the source files were generated from; then the table's column
# option as the user numbers the columns.
set -euo pipefail
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - "$1/cli/veltramarlin-cli" "$work" <<'PY'
import os, subprocess, sys
import ezdxf

cli, work = sys.argv[1], sys.argv[2]

def check(kind, lines, expected, prefix=None):
    src, out = os.path.join(work, kind + ".txt"), os.path.join(work, kind + ".dxf")
    with open(src, "wb") as f:
        f.write(b"".join(l + b"\r\n" for l in lines))
    args = [cli, "dxf", "--type", kind] + (["--prefix", prefix] if prefix else []) + [src, out]
    res = subprocess.run(args, capture_output=True)
    assert res.returncode == 0 and b"Save OK" in res.stdout, (args, res)
    entities = list(ezdxf.readfile(out, encoding="gbk").modelspace())
    assert len(entities) == 2 * len(expected), (kind, len(entities), len(expected))
    for i, (x, y, z, label) in enumerate(expected):
        point, text = entities[2 * i], entities[2 * i + 1]
        assert (point.dxftype(), point.dxf.layer) == ("POINT", "point"), (i, point)
        assert tuple(point.dxf.location) == (x, y, z), (i, tuple(point.dxf.location), (x, y, z))
        assert (text.dxftype(), text.dxf.layer, text.dxf.height) == ("TEXT", "PT#", 0.2), (i, text)
        assert tuple(text.dxf.insert) == (x, y, z) and text.dxf.text == label, (i, text.dxf.text)
    with open(out, "rb") as f:
        assert b"\r" not in f.read()

# Coordinate file: name, X (north), Y (east), Z, code; the drawing puts east on x.
lines, expected = [b"Point list", b"P0,1,2,3"], []  # neither is a point
for i in range(3000):
    north, east, height = 3000000.125 + i, -500.5 - i * 0.001, 12.25 + (i % 7)
    lines.append(b"P%d,%.3f,%.3f,%.2f,CODE,%d" % (i, north, east, height, i))
    expected.append((round(east, 3), north, height, "P%d" % i))
lines.append("点 甲,1e3,-2.5E1,0,树".encode("gbk"))
expected.append((-25.0, 1000.0, 0.0, "点 甲"))
lines.append(b"Q9,abc,7,8,")
expected.append((7.0, 0.0, 8.0, "Q9"))
check("coordinate", lines, expected)
# A drawing without points is not made: the run says so and fails.
empty_src, empty_out = os.path.join(work, "empty.txt"), os.path.join(work, "empty.dxf")
open(empty_src, "wb").close()
res = subprocess.run([cli, "dxf", "--type", "coordinate", empty_src, empty_out], capture_output=True)
assert res.returncode == 1 and "没有记录" in res.stdout.decode() and not os.path.exists(empty_out), res

# Measurement file: XYZ records named by the line before them, numbered, prefixed.
lines = [b"UNITS m,d", b"ATMOS 20,1013", b"XYZ 5,6,7"]
expected = [(6.0, 5.0, 7.0, "K120")]  # named by the ATMOS line's first field
for i in range(500):
    lines += [("SS 测%d,1.500,TREE" % i).encode("gbk"), b"XYZ %d,%d,300" % (1500 + i, -2500 - i)]
    expected.append((float(-2500 - i), float(1500 + i), 300.0, "K%d测%d" % (i + 2, i)))
check("measurement", lines, expected, prefix="K")

# table --columns P,C,X,Y,Z: here PT# 1, PCode 2, X 4, Y 3, Z 5.
src, out = os.path.join(work, "t.txt"), os.path.join(work, "table.txt")
with open(src, "wb") as f:
    f.write(b"7,K9,100,200,30\r\n")
subprocess.run([cli, "table", "--columns", "1,2,4,3,5", src, out], check=True)
gap = b" " * 11
with open(out, "rb") as f:
    assert f.read().endswith(b"\r\n\r\n" + gap.join([b"7", b"200", b"100", b"30", b"K9"]) + b"\r\n")
PY
