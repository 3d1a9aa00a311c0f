#!/usr/bin/env bash
# Runs the same conversions with the Linux veltramarlin-cli and with
# veltramarlin-cli.exe under wine, on the same generated inputs, and requires
# the same bytes from both: every output file, the printed messages and the
# exit status. Covers every coordinate layout, the measurement outputs, the
# universal conversion, the table, the Excel workbooks and text file, both DXF
# drawings, failures, and folders and files with Chinese names.
# usage: bash tests/windows/cli_compare.sh LINUX_BUILD WIN_BUILD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
linux_cli=$(cd "$1" && pwd)/cli/veltramarlin-cli
. "$here/wine_env.sh" "$2"
win_cli="$WIN_BUILD_DIR/cli/veltramarlin-cli.exe"
work=$(mktemp -d)
trap 'rm -rf "$work"; wine_env_stop_if_ours' EXIT
cd "$work"

# Inputs: instrument coordinate and measurement files and a comma-separated
# point list, with GBK names, long lines, "@" and "$", junk and odd numbers.
/usr/bin/python3 - <<'PY'
import random
random.seed(17)
def word():
    return random.choice([b"P%d" % random.randrange(1000), b"\xb5\xe3%d" % random.randrange(99),
                          b"", b"A@B", b"C$D", b"  sp ", b"N" * random.randrange(120)])
def num():
    return random.choice([b"%d" % random.randrange(-10**10, 10**10), b"%d" % random.randrange(3600000),
                          b"12.5", b"-0", b"", b"x", b"1e3", b" 42"])
coord = [b"ATMOS 20.0,1013.0", b"JOB,x"] + [
    b",".join([word(), num(), num(), num()] + [word()] * random.randrange(3)) for _ in range(1500)]
open("coord.txt", "wb").write(b"\r\n".join(coord) + b"\r\n")
def meas_line():
    r = random.random()
    if r < 0.05: return b"UNITS " + random.choice([b"m,d", b"ft,m", b"m,g", b"M,D", b"m"])
    if r < 0.15: return b"SS " + word() + b",1.600," + word()
    if r < 0.2: return random.choice([b"STN A,1.5,", b"BS B,0", b"XYZ", b"", b"  junk\tline ", b"N" * 150])
    tag = random.choice([b"XYZ", b"BKB", b"HD", b"SD", b"HV"])
    fields = ([word()] if tag == b"BKB" else []) + [num() for _ in range(random.randrange(1, 4))]
    return tag + b" " + b",".join(fields)
open("meas.txt", "wb").write(b"ATMOS 20.0,1013.0\r\n" + b"\r\n".join(meas_line() for _ in range(2000)) + b"\r\n")
pts = [b"%s,%s,%.3f,%.3f,%.3f" % (random.choice([b"PT%d" % i, b"\xb5\xe3%d" % i, b"K'%d" % i]),
       random.choice([b"TREE", b"\xb7\xbf", b""]), random.uniform(-1e6, 4e7), random.uniform(0, 5e5),
       random.uniform(-100, 9000)) for i in range(800)]
open("points.txt", "wb").write(b"\r\n".join(pts) + b"\r\n")
pane = [b"PT%d,%.3f,%.3f,%.3f,C%d" % (i, 3e6 + i, 5e5 - i, 10 + i / 7, i % 4) for i in range(300)]
open("pane.txt", "wb").write(b"\r\n".join(pane) + b"\r\n")
# Several times the output buffer, so the streamed conversions write in pieces.
big = [b"\xb5\xe3%d,C%d,%.3f,%.3f,%.3f" % (i, i % 9, 3e6 + i / 3, 5e5 - i / 7, i / 11) for i in range(90000)]
open("big.txt", "wb").write(b"\r\n".join(big) + b"\r\n")
PY
mkdir -p "数据 文件夹" && cp coord.txt "数据 文件夹/坐标.txt"

cases=()
for layout in 0 1 2 3 4 5 6 7 8 9 10; do cases+=("coord --layout $layout ../coord.txt out.txt"); done
for layout in 0 1 6 10; do
  cases+=("meas --layout $layout --coord c.txt --angle-dist ad.txt --angle an.txt ../meas.txt")
done
cases+=(
  "classify ../coord.txt" "classify ../meas.txt" "classify ../points.txt"
  "universal --source-fields 1,2,3,4,5,6 --target-fields 1,5,3,4,5,1 --attribute ../points.txt u.txt"
  "universal --source-fields 1,2,3,4,5,6 --target-fields 2,1,4,3,5,6 --numbering --start 7 --target-sep space --header-count --add-x 0.001 --mul-y 1.5 --add-z -3 ../points.txt u.txt"
  "table ../points.txt t.txt" "table --no-code ../points.txt t.txt" "table --columns 1,2,4,3,5 ../points.txt t.txt"
  "excel ../points.txt book.xls" "excel ../points.txt book.csv"
  "dxf --type coordinate ../pane.txt c.dxf" "dxf --type measurement --prefix K ../meas.txt m.dxf"
  "dxf --type coordinate --cad ../points.txt c.dxf" "dxf --type measurement --cad --metres ../meas.txt m.dxf"
  "excel --numbers ../points.txt book.xls"
  "coord --layout 3 ../big.txt out.txt" "universal --source-fields 1,2,3,4,5,6 --target-fields 2,1,4,3,5,6 ../big.txt u.txt"
  "coord --layout 1 ../no-such-file.txt out.txt" "table ../points.txt no-such-folder/t.txt"
  # Names with blanks: the words of these cases are separated by "|".
  "coord|--layout|2|../数据 文件夹/坐标.txt|结果 文件夹/坐标 CASS.dat"
  "universal|--target-sep|space|../数据 文件夹/坐标.txt|结果 文件夹/通用.txt"
  "excel|../points.txt|结果 文件夹/坐标表.xls"
  "coord|--layout|0|../数据 文件夹/没有这个文件.txt|结果 文件夹/x.txt"
)

failures=0
for i in "${!cases[@]}"; do
  rm -rf lin win && mkdir -p "lin/结果 文件夹" "win/结果 文件夹"
  if [[ ${cases[$i]} == *"|"* ]]; then
    IFS='|' read -r -a args <<<"${cases[$i]}"
  else
    read -r -a args <<<"${cases[$i]}"
  fi
  lin_status=0 win_status=0
  (cd lin && "$linux_cli" "${args[@]}" >../lin.out 2>/dev/null) || lin_status=$?
  (cd win && "$WINE" "$win_cli" "${args[@]}" >../win.out 2>/dev/null) || win_status=$?
  problem=""
  [ "$lin_status" = "$win_status" ] || problem="exit $lin_status on Linux, $win_status under wine"
  cmp -s lin.out win.out || problem="$problem; printed texts differ"
  diff -r lin win >/dev/null || problem="$problem; output files differ: $(diff -rq lin win | head -3)"
  [ -n "${VERBOSE:-}" ] && echo "${args[*]}: exit $lin_status, $(find lin -type f -printf "%s %p  " ), $(head -c 80 lin.out)"
  if [ -n "$problem" ]; then
    echo "FAIL: ${args[*]}: $problem" >&2
    failures=$((failures + 1))
  fi
done

# .xlsx workbooks come from another writer on each system: their cells,
# number formats, column widths and sheet names must be equal, as openpyxl
# reads them.
xlsx_cases=("excel ../points.txt book.xlsx" "excel --numbers ../points.txt book.xlsx"
            "excel --numbers ../big.txt book.xlsx")
for args in "${xlsx_cases[@]}"; do
  rm -rf lin win && mkdir lin win
  lin_status=0 win_status=0
  (cd lin && "$linux_cli" $args >../lin.out 2>/dev/null) || lin_status=$?
  (cd win && "$WINE" "$win_cli" $args >../win.out 2>/dev/null) || win_status=$?
  if [ "$lin_status$win_status" != 00 ] || ! cmp -s lin.out win.out ||
     ! /usr/bin/python3 "$here/../export/xlsx_cells_compare.py" lin/book.xlsx win/book.xlsx >xlsx.out 2>&1; then
    echo "FAIL: $args: exit $lin_status / $win_status; $(cat xlsx.out 2>/dev/null | tail -2)" >&2
    failures=$((failures + 1))
  fi
done

# What this build cannot write (the PDF of the table) fails with a message,
# leaving nothing behind.
for args in "table --pdf t.pdf ../points.txt t.txt"; do
  rm -rf win && mkdir win
  status=0
  (cd win && "$WINE" "$win_cli" $args >../win.out 2>/dev/null) || status=$?
  if [ "$status" != 1 ] || [ ! -s win.out ] || [ -e win/t.pdf ] ||
     [ -n "$(find win -name '.vm-*')" ]; then
    echo "FAIL: $args: exit $status, $(ls -A win), $(head -c 200 win.out)" >&2
    failures=$((failures + 1))
  fi
done
echo "cli_compare: ${#cases[@]} conversions, ${#xlsx_cases[@]} .xlsx workbooks and 1 refusal, $failures differ"
[ "$failures" = 0 ]
