#!/usr/bin/env bash
# Reads DXF drawings written by `veltramarlin-cli dxf` with an independent reader
# (ezdxf, from Debian's python3-ezdxf) and checks every POINT and TEXT against
# the points the source files were generated from.
set -euo pipefail
build="$1"
cli="$build/cli/veltramarlin-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - "$cli" "$work" <<'PY'
import subprocess, sys, os
import ezdxf

cli, work = sys.argv[1], sys.argv[2]

def run_dxf(kind, lines, prefix=None):
    src = os.path.join(work, kind + ".txt")
    out = os.path.join(work, kind + ".dxf")
    with open(src, "wb") as f:
        f.write(b"".join(l + b"\r\n" for l in lines))
    args = [cli, "dxf", "--type", kind] + (["--prefix", prefix] if prefix else []) + [src, out]
    res = subprocess.run(args, capture_output=True)
    assert res.returncode == 0, (args, res.stdout, res.stderr)
    assert b"Save OK" in res.stdout, res.stdout
    return out

def check(path, expected):
    doc = ezdxf.readfile(path, encoding="gbk")
    entities = list(doc.modelspace())
    assert len(entities) == 2 * len(expected), (path, len(entities), len(expected))
    for i, (x, y, z, label) in enumerate(expected):
        point, text = entities[2 * i], entities[2 * i + 1]
        assert point.dxftype() == "POINT" and point.dxf.layer == "point", (i, point)
        assert tuple(point.dxf.location) == (x, y, z), (i, tuple(point.dxf.location), (x, y, z))
        assert text.dxftype() == "TEXT" and text.dxf.layer == "PT#", (i, text)
        assert tuple(text.dxf.insert) == (x, y, z), (i, tuple(text.dxf.insert))
        assert text.dxf.height == 0.2, (i, text.dxf.height)
        assert text.dxf.text == label, (i, text.dxf.text, label)
    with open(path, "rb") as f:
        raw = f.read()
    assert b"\r" not in raw and raw.endswith(b"ENDSEC\n0\nEOF"), path

# Coordinate file: name, X (north), Y (east), Z, code; the drawing puts east on x.
coord_lines, coord_expected = [b"Point list", b"P0,1,2,3"], []  # neither is a point
for i in range(3000):
    north, east, height = 3000000.125 + i, -500.5 - i * 0.001, 12.25 + (i % 7)
    name = ("P%d" % i).encode()
    coord_lines.append(b"%s,%.3f,%.3f,%.2f,CODE,%d" % (name, north, east, height, i))
    coord_expected.append((round(east, 3), north, height, name.decode()))
coord_lines.append("点 甲,1e3,-2.5E1,0,树".encode("gbk"))
coord_expected.append((-25.0, 1000.0, 0.0, "点 甲"))
coord_lines.append(b"Q9,abc,7,8,")
coord_expected.append((7.0, 0.0, 8.0, "Q9"))
check(run_dxf("coordinate", coord_lines), coord_expected)

# Measurement file: XYZ records named by the line before them, numbered, prefixed.
meas_lines = [b"UNITS m,d", b"ATMOS 20,1013", b"XYZ 5,6,7"]
meas_expected = [(6.0, 5.0, 7.0, "K120")]  # named by the ATMOS line's first field
for i in range(500):
    meas_lines += [("SS 测%d,1.500,TREE" % i).encode("gbk"), b"XYZ %d,%d,%d" % (1500 + i, -2500 - i, 300)]
    meas_expected.append((float(-2500 - i), float(1500 + i), 300.0, "K%d测%d" % (i + 2, i)))
check(run_dxf("measurement", meas_lines, prefix="K"), meas_expected)

# An empty pane gives a drawing without entities that still opens.
check(run_dxf("coordinate", []), [])
print("ezdxf read %d coordinate and %d measurement points" % (len(coord_expected), len(meas_expected)))
PY
