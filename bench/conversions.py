"""Conversions and exports against mawk: generates the sources, checks each awk rendering
against the program's output, then times both in alternating runs."""
import os
import random
import sys

from measure import run_once

HERE = os.path.dirname(os.path.abspath(__file__))
LAYOUTS = ["CT2100", "EPS", "SV300", "CASS3.X", "CASS4.X", "CASS5.X", "EPSW", "SCS", "SKC",
           "XTDMS5.0", "TOPCON"]


def write(path, count, make):
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


def universal(i):
    return "P%d,K%d,%.3f,%.3f,%.3f,%d\r\n" % (
        i, i % 50, 3512345.678 + random.random() * 5000, 512345.123 + random.random() * 5000,
        40 + random.random() * 20, i)


def jobs(work, cli):
    """(label, source, program argv, awk argv, awk stdout file or None, [(program file, awk file)])"""
    out, ref = os.path.join(work, "out"), os.path.join(work, "ref")
    coord = os.path.join(work, "coord.txt")
    for layout, name in enumerate(LAYOUTS):
        yield ("coord %2d %s" % (layout, name), coord,
               [cli, "coord", "--layout", str(layout), coord, out + ".txt"],
               ["mawk", "-v", "layout=%d" % layout, "-f", os.path.join(HERE, "awk/coord.awk"),
                coord] + ([coord] if layout in (4, 7, 8) else []), ref + ".txt", [(out + ".txt", ref + ".txt")])
    meas = os.path.join(work, "meas.txt")
    yield ("meas, 3 outputs", meas,
           [cli, "meas", "--layout", "0", "--coord", out + "c.txt", "--angle-dist", out + "d.txt",
            "--angle", out + "a.txt", meas],
           ["mawk", "-v", "coord=" + ref + "c.txt", "-v", "ad=" + ref + "d.txt", "-v",
            "ang=" + ref + "a.txt", "-f", os.path.join(HERE, "awk/meas.awk"), meas], None,
           [(out + k + ".txt", ref + k + ".txt") for k in "cda"])
    for label, argv, script in (("table", [cli, "table"], "table.awk"),
                                ("dxf, coordinates", [cli, "dxf", "--type", "coordinate"], "dxf.awk")):
        yield (label, coord, argv + [coord, out + ".txt"],
               ["mawk", "-f", os.path.join(HERE, "awk", script), coord], ref + ".txt",
               [(out + ".txt", ref + ".txt")])
    source = os.path.join(work, "universal.txt")
    yield ("universal", source,
           [cli, "universal", "--source-fields", "1,2,3,4,5,6", "--target-fields", "1,2,4,3,5,6",
            "--attribute", "--numbering", "--start", "1", "--header-count", "--add-x",
            "-3500000.123", "--add-y", "-500000.001", "--mul-z", "1.0001", source, out + ".txt"],
           ["mawk", "-f", os.path.join(HERE, "awk/universal.awk"), source, source], ref + ".txt",
           [(out + ".txt", ref + ".txt")])


def same_bytes(a, b):
    with open(a, "rb") as fa, open(b, "rb") as fb:
        return fa.read() == fb.read()


def main():
    work, cli, count, before = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
    random.seed(4)
    write(os.path.join(work, "coord.txt"), count, coordinate)
    write(os.path.join(work, "meas.txt"), count, measurement)
    write(os.path.join(work, "universal.txt"), count, universal)
    runs = int(os.environ.get("RUNS", "5"))
    print("best of %d alternating runs; times are processor seconds (user + system), the" % runs)
    print("ratio is mawk's time over the program's; peak is the program's peak resident size")
    print("%-18s %6s %8s %8s %8s %7s %9s %8s" % ("work", "MB", "s", "MB/s", "mawk s", "ratio",
                                               "peak MB", "x input") +
          ("  %8s %7s" % ("before s", "speedup") if before else ""))
    for label, source, argv, awk, awk_out, pairs in jobs(work, cli):
        size = os.path.getsize(source)
        run_once(argv)
        run_once(awk, awk_out)
        if not all(same_bytes(a, b) for a, b in pairs):
            print("%-18s awk rendering differs from the program's output: not timed" % label)
            continue
        best = {"prog": None, "awk": None, "before": None}
        peak = 0
        for _ in range(runs):
            for key, cmd, out in (("prog", argv, None), ("awk", awk, awk_out),
                                  ("before", [before] + argv[1:] if before else None, None)):
                if cmd is None:
                    continue
                cpu, rss = run_once(cmd, out)
                best[key] = cpu if best[key] is None else min(best[key], cpu)
                if key == "prog":
                    peak = max(peak, rss)
        line = "%-18s %6.1f %8.3f %8.1f %8.3f %6.1fx %9.1f %8.2f" % (
            label, size / 1e6, best["prog"], size / 1e6 / best["prog"], best["awk"],
            best["awk"] / best["prog"], peak / 1e6, peak / size)
        if before:
            line += "  %8.3f %6.1fx" % (best["before"], best["before"] / best["prog"])
        print(line, flush=True)


main()
