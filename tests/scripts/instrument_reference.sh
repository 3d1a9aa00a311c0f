#!/usr/bin/env bash
# Independent reader: a plain Python rendering of the instrument file rules
# converts generated coordinate and measurement files (every record type, unit
# changes, long lines, "@" and "$", GBK bytes, junk) and its bytes must equal
# what veltramarlin-cli writes, for every layout.
# usage: bash instrument_reference.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
cli="$build/cli/veltramarlin-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - "$cli" "$work" <<'PY'
import math, os, random, re, subprocess, sys

cli, work = sys.argv[1], sys.argv[2]
random.seed(11)
PI = 3.1415926
NUMBER = re.compile(rb"[ \t\n\v\f\r]*([+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?)")

def atof(b):
    m = NUMBER.match(b)
    return float(m.group(1)) if m else 0.0

def pieces(data):  # at most 99 bytes each, a CR LF counting as one LF
    return re.findall(rb"[^\n]{0,98}\n|[^\n]{1,99}", data.replace(b"\r\n", b"\n"))

def fixed(v, d):
    return (b"%%.%df" % d) % v

# --- coordinate files -------------------------------------------------------
def layout_line(layout, pc, x, y, z, pa, po):
    X, Y, Z = (fixed(v, 3) for v in (x, y, z))
    if layout in (3, 7, 8):  # stacked: one value a line, the name last
        return b"\r\n".join([b"", X, Y, Z, pc] if layout == 8 else [b"", Y, X, Z, pc])
    if layout == 6:
        return b"904 1 0 $%d\r\n" % po + b" ".join([pc, Y, X, Z]) + b" 1 1 0 0"
    fields = {0: [pc, X, Y, Z], 2: [b"%d" % po, pc, pa, Y, X, Z], 4: [pc, pa, Y, X, Z],
              5: [pc, pa, Y, X, Z]}.get(layout, [pc, pa, X, Y, Z])
    return (b" " if layout == 9 else b",").join(fields)

def header(layout, count, last):
    return {4: b"%d\r\n" % count, 7: b"%d\r\n%s\r\n" % (count, last),
            8: b"%d\r\n%s\r\n" % (count, last)}.get(layout, b"")

def convert_coordinates(data, layout):
    body, count, last = b"", 0, b""
    for piece in pieces(data):
        buf = piece.replace(b"\r", b"").replace(b"\n", b"") + b"@$$"
        record = b""
        for i in range(len(buf)):
            c = buf[i:i + 1]
            if c not in (b"@", b"$"): record += c
            if buf[i:i + 3] == b"@$$":
                parts = record.split(b",", 4)
                if len(parts) == 5:
                    count += 1; last = parts[0]
                    x, y, z = (atof(p) * 0.001 for p in parts[1:4])
                    body += layout_line(layout, parts[0], x, y, z, parts[4], count) + b"\r\n"
                record = b""
    return header(layout, count, last) + body

# --- measurement files ------------------------------------------------------
def split(line):
    space = line.find(b" ")
    c1 = line.find(b",", space + 1)
    c2 = line.find(b",", c1 + 1) if c1 >= 0 else -1
    f1 = line[space + 1:c1] if c1 >= 0 else b""
    f2 = line[c1 + 1:c2] if c2 >= 0 else b""
    r1 = line[c1 + 1:] if c1 >= 0 else b""
    r2 = line[c2 + 1:] if c2 >= 0 else b""
    return f1, f2, r1, r2

def trunc_decimal(v):
    r = round(v)
    return float(r) if abs(v - r) <= 1e-9 * max(1.0, abs(v)) else float(math.trunc(v))

def radians(a, unit):
    if unit == b"dms":
        d = trunc_decimal(a); h = a * 100.0; wh = trunc_decimal(h)
        deg = ((h - wh) * 3600.0 ** -1 * 100.0 + (wh - d * 100.0) * 60.0 ** -1) + d
        return deg * 180.0 ** -1 * PI
    if unit == b"mil": return a * 3200.0 ** -1 * PI
    return a * 200.0 ** -1 * PI

def convert_measurements(data, layout):
    dist_unit = ang_unit = prev = code = last = coords = ad = an = b""
    rows = points = 0
    for piece in pieces(data):
        line = piece.replace(b"\r", b"").replace(b"\n", b"").strip(b" ")
        space = line.find(b" ")
        tag = line[:space] if space >= 0 else b""
        f1, f2, r1, r2 = split(line)
        pf1, _, _, pr2 = split(prev)
        pname, pcode = pf1.rstrip(b" "), pr2.rstrip(b" ")
        mil = ang_unit == b"mil"
        angle = lambda t: atof(t) * 0.0001 * (10.0 if mil else 1.0)
        pa = lambda v: fixed(v, 3 if mil else 4) + b"(" + ang_unit + b")"
        pl = lambda v: fixed(v, 3) + dist_unit
        if tag == b"UNITS":
            dist_unit = f1
            ang_unit = {b"d": b"dms", b"m": b"mil", b"g": b"gon"}.get(r1, r1)
        elif tag == b"XYZ":
            ptag = prev[:prev.find(b" ")] if b" " in prev else b""
            if ptag == b"SS": code = pcode
            elif ptag == b"BKB": code = b""
            rows += 1; points += 1
            last = pname or b"%d" % points
            coords += layout_line(layout, last, atof(f1) * 0.001, atof(f2) * 0.001,
                                  atof(r2) * 0.001, code, points) + b"\r\n"
        elif tag == b"BKB":
            code = b"Check"; rows += 1
            ad += (f1.rstrip(b" ") or b"%d" % rows) + b"\t\t" + pa(angle(f2)) + b"\t" + \
                pa(angle(r2)) + b"\t\t\t" + code + b"\r\n"
        elif tag in (b"HD", b"SD"):
            hd, vh = atof(f2) * 0.001, atof(r2) * 0.001
            if tag == b"SD":
                z = radians(angle(f2), ang_unit); sd = vh
                hd, vh = abs(sd * math.sin(z)), sd * math.cos(z)
            code = pcode; rows += 1
            ad += (pname or b"%d" % rows) + b"\t\t" + pa(angle(f1)) + b"\t" + pl(hd) + b"\t\t" + \
                pl(vh) + b"\t\t" + code + b"\r\n"
        elif tag == b"HV":
            code = pcode; rows += 1
            an += (pname or b"%d" % rows) + b"\t\t" + pa(angle(f1)) + b"\t\t" + pa(angle(r1)) + \
                b"\t\t" + code + b"\r\n"
        prev = line
    if coords:
        coords = header(layout, points, last) + coords
    if ad: ad = b"PT#\t\tHR/HL\t\tHD\t\tVH\t\tPCode\r\n" + ad
    if an: an = b"PT#\t\tHR/HL\t\tHV\t\t\tPCode\r\n" + an
    return coords, ad, an

# --- generated files --------------------------------------------------------
def word():
    return random.choice([b"P%d" % random.randrange(1000), b"\xb5\xe3%d" % random.randrange(99),
                          b"", b"A@B", b"C$D", b"  sp ", b"N" * random.randrange(120)])

def num():
    return random.choice([b"%d" % random.randrange(-10**10, 10**10), b"%d" % random.randrange(3600000),
                          b"12.5", b"-0", b"", b"x", b"1e3", b" 42"])

def coordinate_file():
    lines = [b"ATMOS 20.0,1013.0", b"JOB,x"] + [
        b",".join([word(), num(), num(), num()] + [word()] * random.randrange(3)) for _ in range(3000)]
    return b"\r\n".join(lines) + random.choice([b"\r\n", b"", b"\n"])

def measurement_line():
    r = random.random()
    if r < 0.03:
        return b"UNITS " + random.choice([b"m,d", b"ft,m", b"m,g", b"M,D", b"m"])
    if r < 0.35:
        return b"SS " + word() + b",1.600," + word()
    if r < 0.4:
        return random.choice([b"STN A,1.5,", b"BS B,0", b"ATMOS 20,1013", b"xyz 1,2,3", b"XYZ", b"",
                              b"  junk\tline ", b"N" * 150])
    tag = random.choice([b"XYZ", b"BKB", b"HD", b"SD", b"HV"])
    fields = ([word()] if tag == b"BKB" else []) + [num() for _ in range(random.randrange(1, 4))]
    return b" " * random.randrange(2) + tag + b" " + b",".join(fields)

def run(args):
    return subprocess.run([cli] + args, capture_output=True).returncode

def read(path):
    return open(path, "rb").read() if os.path.exists(path) else b""

failures = 0
coord = coordinate_file()
meas = b"\r\n".join(measurement_line() for _ in range(4000)) + b"\r\n"
open(work + "/coord.txt", "wb").write(coord)
open(work + "/meas.txt", "wb").write(meas)
for layout in range(11):
    target = "%s/out%d.txt" % (work, layout)
    if run(["coord", "--layout", str(layout), work + "/coord.txt", target]) != 0 or \
            read(target) != convert_coordinates(coord, layout):
        print("coordinate layout %d differs" % layout); failures += 1
    paths = ["%s/m%d-%s.txt" % (work, layout, k) for k in ("c", "ad", "a")]
    if run(["meas", "--layout", str(layout), "--coord", paths[0], "--angle-dist", paths[1],
            "--angle", paths[2], work + "/meas.txt"]) != 0:
        print("measurement layout %d failed" % layout); failures += 1
    for path, expected, name in zip(paths, convert_measurements(meas, layout), ("coord", "ad", "a")):
        if read(path) != expected:
            print("measurement layout %d, output %s differs" % (layout, name)); failures += 1
if failures:
    sys.exit(1)
print("instrument conversions agree with the reference for all 11 layouts")
PY
