#!/usr/bin/env bash
# The CAD-ready DXF (`veltramarlin-cli dxf --cad`) as readers outside a Chinese
# Windows system see it: ezdxf reads it strictly and its audit finds nothing,
# every layer used is defined, and the labels equal the source text whether the
# source was GBK, UTF-8 or both; GDAL's ogrinfo shows the same labels. The
# measurement drawing in metres lies on the coordinate drawing of the survey.
# Usage: dxf_cad_check.sh BUILD_DIR SOURCE_DIR
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
PY
