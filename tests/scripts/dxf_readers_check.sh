#!/usr/bin/env bash
# DXF drawings written by `veltramarlin-cli dxf`, read back by independent
# readers: ezdxf (Debian's python3-ezdxf) finds every POINT and TEXT where the
# source's points say, east on x, named as the file names them; the CAD-ready
# drawing (--cad) reads strictly, its audit finds nothing, every layer used is
# defined and the labels equal the source text whether the source was GBK,
# UTF-8 or both, as GDAL's ogrinfo shows them too; the measurement drawing in
# metres lies on the coordinate drawing of the survey. Then the table's column
# option as the user numbers the columns.
# Usage: dxf_readers_check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - "$1/cli/veltramarlin-cli" "$work" <<'PY'
import os, subprocess, sys
import ezdxf

cli, work = sys.argv[1], sys.argv[2]

def export(name, kind, data, *options):
    src, out = os.path.join(work, name + ".txt"), os.path.join(work, name + ".dxf")
    open(src, "wb").write(data)
    res = subprocess.run([cli, "dxf", "--type", kind, *options, src, out], capture_output=True)
    assert res.returncode == 0 and b"Save OK" in res.stdout, (name, res)
    return out, res.stdout.decode()

def read(path):
    doc = ezdxf.readfile(path)  # strict: raises on any structural fault
    assert (doc.dxfversion, doc.encoding) == ("AC1009", "gbk"), (path, doc.dxfversion, doc.encoding)
    auditor = doc.audit()
    assert not auditor.errors and not auditor.fixes, (path, auditor.errors, auditor.fixes)
    entities = list(doc.modelspace())
    layers = {layer.dxf.name for layer in doc.layers}
    assert {e.dxf.layer for e in entities} <= layers, (path, layers)
    return entities

def labels(entities):
    return [e.dxf.text for e in entities if e.dxftype() == "TEXT"]

def ogr_labels(path):
    out = subprocess.run(["ogrinfo", "-al", "-q", path], capture_output=True, check=True).stdout
    return [l.split(" = ", 1)[1] for l in out.decode("utf-8").splitlines()
            if l.strip().startswith("Text (String) = ")]

names = ["树1", "控制点 甲", "P3", "界桩", "GP-测"]
coords = lambda enc: "".join(f"{n},{100 + i}.5,{200 + i}.25,30,码{i}\r\n"
                             for i, n in enumerate(names)).encode(enc)
half = len(names) // 2
mixed = coords("gbk").split(b"\r\n")[:half] + coords("utf-8").split(b"\r\n")[half:]
cases = [  # name, source bytes, labels expected, status expected
    ("gbk", coords("gbk"), names, ""),
    ("utf8", coords("utf-8"), names, ""),
    ("mixed", b"\r\n".join(mixed), names, f"{len(names) - half} 行按 UTF-8 读取，{half} 行按 GBK 读取"),
    ("not_gbk", "点😀,1,2,3,x\n".encode(), ["点?"], "1 个字符无法用 GBK 表示"),
    ("bom", b"\xef\xbb\xbf" + coords("utf-8"), names, ""),  # the mark is no part of a label
]
for name, data, expected, status in cases:
    path, stdout = export(name, "coordinate", data, "--cad")
    entities = read(path)
    assert labels(entities) == expected, (name, labels(entities))
    assert ogr_labels(path) == expected, (name, ogr_labels(path))
    assert status in stdout and (status or "GBK" not in stdout), (name, stdout)
    assert "\ufffd" not in "".join(labels(entities))

# The same survey as a measurement file (thousandths) and as a coordinate file
# (metres): in metres both drawings put every point and label at the same place.
meas = "".join(f"SS {n},1.500,TREE\r\nXYZ {(100 + i) * 1000 + 500},{(200 + i) * 1000 + 250},30000\r\n"
               for i, n in enumerate(names)).encode("utf-8")
path, _ = export("meas", "measurement", meas, "--cad", "--metres", "--prefix", "K")
measured = read(path)
assert labels(measured) == [f"K{i + 1}{n}" for i, n in enumerate(names)], labels(measured)
surveyed = read(export("coords", "coordinate", coords("utf-8"), "--cad")[0])
where = lambda es: [(e.dxftype(), tuple(e.dxf.location), None) if e.dxftype() == "POINT"
                    else (e.dxftype(), tuple(e.dxf.insert), e.dxf.height) for e in es]
assert where(measured) == where(surveyed), (where(measured)[:2], where(surveyed)[:2])

# Without --metres the measurement drawing keeps the file's numbers.
plain = read(export("meas_plain", "measurement", meas, "--cad")[0])
assert tuple(plain[0].dxf.location) == (200250.0, 100500.0, 30000.0), plain[0].dxf.location

# The plain drawing: a POINT and a TEXT on the layers "point" and "PT#" for
# each point, height 0.2, LF line ends only.
def check_plain(kind, lines, expected, *options):
    path, _ = export(kind, kind, b"".join(l + b"\r\n" for l in lines), *options)
    entities = list(ezdxf.readfile(path, encoding="gbk").modelspace())
    assert len(entities) == 2 * len(expected), (kind, len(entities), len(expected))
    for i, (x, y, z, label) in enumerate(expected):
        point, text = entities[2 * i], entities[2 * i + 1]
        assert (point.dxftype(), point.dxf.layer) == ("POINT", "point"), (i, point)
        assert tuple(point.dxf.location) == (x, y, z), (i, tuple(point.dxf.location), (x, y, z))
        assert (text.dxftype(), text.dxf.layer, text.dxf.height) == ("TEXT", "PT#", 0.2), (i, text)
        assert tuple(text.dxf.insert) == (x, y, z) and text.dxf.text == label, (i, text.dxf.text)
    assert b"\r" not in open(path, "rb").read()

# Coordinate file: name, X (north), Y (east), Z, code.
lines, expected = [b"Point list", b"P0,1,2,3"], []  # neither is a point
for i in range(3000):
    north, east, height = 3000000.125 + i, -500.5 - i * 0.001, 12.25 + (i % 7)
    lines.append(b"P%d,%.3f,%.3f,%.2f,CODE,%d" % (i, north, east, height, i))
    expected.append((round(east, 3), north, height, "P%d" % i))
lines.append("点 甲,1e3,-2.5E1,0,树".encode("gbk"))
expected.append((-25.0, 1000.0, 0.0, "点 甲"))
lines.append(b"Q9,abc,7,8,")
expected.append((7.0, 0.0, 8.0, "Q9"))
check_plain("coordinate", lines, expected)
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
check_plain("measurement", lines, expected, "--prefix", "K")

# table --columns P,C,X,Y,Z: here PT# 1, PCode 2, X 4, Y 3, Z 5.
src, out = os.path.join(work, "t.txt"), os.path.join(work, "table.txt")
with open(src, "wb") as f:
    f.write(b"7,K9,100,200,30\r\n")
subprocess.run([cli, "table", "--columns", "1,2,4,3,5", src, out], check=True)
gap = b" " * 11
with open(out, "rb") as f:
    assert f.read().endswith(b"\r\n\r\n" + gap.join([b"7", b"200", b"100", b"30", b"K9"]) + b"\r\n")
PY
