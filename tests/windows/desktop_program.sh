#!/usr/bin/env bash
# The desktop program under wine, driven by messages to its windows and
# controls by id (veltramarlin-drive.exe), its questions answered from a file:
# a file named on the command line opens into the pane and 另存为 writes it
# back by the pane-to-file rule; About is rendered from its description and
# closes with OK; 下载 takes a download from the Linux simulator through COM5
# into the pane, which 另存为 saves by the same rule; 上传 sends a coordinate
# file to the simulator as the command line does; 下载数据转换, 万能数据转换 and
# 保存为DXF文件, 保存为EXCEL文件 and the table of 打印坐标文件 write the same
# bytes as the Linux command line; 计算器 starts
# the calculator; 停止 (Esc) ends an upload after its line and a download as
# stopped by the user, and 新建 asks the unsaved-pane guard's question about
# typed text; 最近打开的文件 opens a file again, and a large file fills the
# pane in steps without a byte lost; a DPI change grows the window's font and
# layout; the hover hint shows beside its control; 退出 asks and ends the
# program; killed in the middle of a download, the program offers the
# journaled bytes when it starts again.
# Screens (1366x768) of the main window and each dialog land in
# WIN_BUILD/screenshots/.
# usage: bash tests/windows/desktop_program.sh LINUX_BUILD WIN_BUILD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
sim=$(cd "$1" && pwd)/tools/veltramarlin-sim
linux_cli=$(cd "$1" && pwd)/cli/veltramarlin-cli
. "$here/xvfb_env.sh"
. "$here/wine_env.sh" "$2"
exe="$WIN_BUILD_DIR/win/veltramarlin.exe"
drive="$WIN_BUILD_DIR/win/veltramarlin-drive.exe"
shots="$WIN_BUILD_DIR/screenshots"
work=$(mktemp -d)
com5="$WINEPREFIX/dosdevices/com5"
program="" sim_pid=""
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null || true
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
  rm -f "$com5"
  rm -rf "$work"
  wine_env_stop_if_ours
  xvfb_env_stop_if_ours
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
win_path() { echo "Z:${1//\//\\}"; }
mkdir -p "$shots" "$work/数据"
"$WINE" regedit /S "$(win_path "$here/wine_display.reg")" >/dev/null 2>&1 </dev/null
# Runs the driver; a verb that fails says so on stderr, since callers drop its
# output. The driver itself fails with 1; any other status is wine's failing to
# run it, tried once more.
drive() {
  local out status=0
  out=$("$WINE" "$drive" "$@" 2>&1) || status=$?
  if [ "$status" -gt 1 ]; then
    echo "drive $*: wine gave $status: $out; once more" >&2
    status=0
    out=$("$WINE" "$drive" "$@" 2>&1) || status=$?
  fi
  [ "$status" -eq 0 ] || echo "drive $*: exit $status: $out" >&2
  printf '%s' "$out"
  return "$status"
}
# Waits until the status line (control 1010) matches the pattern $1.
wait_status() {
  for _ in $(seq 150); do [[ "$(drive text 1010)" == $1 ]] && return; sleep 0.2; done
  fail "status line: $(drive text 1010), waited for $1"
}
# The screen as $shots/$1.png.
shot() {
  drive screenshot "$(win_path "$work/$1.bmp")" >/dev/null &&
    /usr/bin/python3 "$here/png_of_bmp.py" "$work/$1.bmp" "$shots/$1.png"
}
# Starts the simulator (ending the one before) and points COM5 at its pseudo-terminal.
start_sim() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
  local out="$work/sim.$RANDOM"
  "$sim" "$@" >"$out" 2>>"$work/sim.log" &
  sim_pid=$!
  for _ in $(seq 200); do [ -s "$out" ] && break; sleep 0.05; done
  ln -sfn "$(head -n1 "$out")" "$com5"
}
# Saves the pane as $1 through 另存为 and compares it with $2 by the pane-to-file rule.
save_pane_and_compare() {
  echo "$(win_path "$1")" >>"$work/answers"
  drive command 32774 >/dev/null
  wait_status 保存成功
  /usr/bin/python3 -c 'import sys; a, b = sys.argv[1:]
assert open(b, "rb").read() == open(a, "rb").read().replace(b"\r", b"").replace(b"\n", b"\r\n")' \
    "$2" "$1" || fail "另存为 wrote other bytes than $2 gives: $(od -c "$1" | head -5)"
}

# GBK point names, CR LF, a lone LF and a lone CR, bytes that are neither GBK
# nor UTF-8 (0x80, 0xFF, a GBK lead byte before a comma), no line break at the end.
printf 'PT1,\xd7\xf8\xb1\xea,100.125,200.5\r\nPT2,1,2,3\nPT3,\xb5\xe3\rX\r\nP\x80\xff,\xb5,1\r\nEND' \
  >"$work/数据/坐标.txt"
: >"$work/answers"
# What the instrument sends: GBK names, CR LF, every byte value but NUL (which
# the pane cannot hold as itself), XON, XOFF and EOT.
/usr/bin/python3 -c 'open("'"$work"'/sent.txt", "wb").write(b"".join(
    b"PT%d,\xd7\xf8\xb1\xea,%d.125,%d.5\r\n" % (i, 1000 + i, 2000 + i) for i in range(120))
    + bytes(b for b in range(1, 256) if b not in (4, 17, 19)) + b"\ntail line with LF only\n")'
printf '[ComConfig]\r\nPort=4\r\nBaud=5\r\nProtocol=0\r\n' >"$work/ConfigFile.ini"
cd "$work"

start=$(date +%s%N)
"$WINE" "$exe" "--scripted-desktop=$(win_path "$work/answers")" "$(win_path "$work/数据/坐标.txt")" \
  >/dev/null 2>&1 &
program=$!
drive wait >/dev/null || fail "the main window did not show"
echo "desktop_program: the main window showed after $((($(date +%s%N) - start) / 1000000)) ms"
sleep 1
shot main-window
save_pane_and_compare "$work/数据/另存.txt" "$work/数据/坐标.txt"
# Text typed at the start of the first line is saved in GBK; every other byte
# is saved as it was read.
drive type 1007 "新X" >/dev/null
for _ in $(seq 50); do [[ "$(drive text 1007)" == 新XPT1,* ]] && break; sleep 0.1; done
[[ "$(drive text 1007)" == 新XPT1,* ]] || fail "typing into the pane: $(drive text 1007 | head -1)"
{ printf '\xd0\xc2X'; cat "$work/数据/坐标.txt"; } >"$work/edited.txt"
save_pane_and_compare "$work/数据/改.txt" "$work/edited.txt"

drive command 32782 >/dev/null
[ "$(drive dialog)" = "About Veltra全站仪通讯" ] || fail "About: $(drive dialog)"
sleep 0.5
shot about
drive dialog-click 1 >/dev/null
sleep 0.5
[ "$(drive dialog 2>/dev/null)" != "About Veltra全站仪通讯" ] || fail "About stayed open after OK"

# COM5 at 9600 baud with XON/XOFF, as ConfigFile.ini in the program's folder says.
start_sim send "$work/sent.txt" --baud 9600
drive command 1004 >/dev/null
wait_status "收到数据行数: *，下载结束*"
save_pane_and_compare "$work/下载.txt" "$work/sent.txt"
shot download

# 上传 of a coordinate file: the instrument receives each point in its pieces
# (millimetres, a grid coordinate with the zone in front), then EOT.
printf 'PT7,100.25,200.5,-3.0009,TREE\r\nPT8,1.001,2.002,38500000.123\r\nNOTE\r\n' >"$work/上传.txt"
printf 'PT7,100250,200500,-3000,TREE\r\nPT8,1001,2002,38500000123,\r\nNOTE\r\n\004' >"$work/want.bin"
start_sim record "$work/got.bin"
echo "$(win_path "$work/上传.txt")" >>"$work/answers"
drive command 1005 >/dev/null
wait_status "发送了*全部发送*"
for _ in $(seq 50); do cmp -s "$work/want.bin" "$work/got.bin" && break; sleep 0.1; done
cmp -s "$work/want.bin" "$work/got.bin" || fail "上传: the instrument received $(od -c "$work/got.bin" | head -3)"

# 停止 (Esc) in the middle of an upload, its progress bar beside the status
# line: the status line says how far it got and that no EOT was sent.
/usr/bin/python3 -c 'open("'"$work"'/长上传.txt", "wb").write(b"".join(
    b"Q%d,%d.125,%d.5,1.5,TREE\r\n" % (i, 1000 + i, 2000 + i) for i in range(3000)))'
start_sim record "$work/got-long.bin"
echo "$(win_path "$work/长上传.txt")" >>"$work/answers"
drive command 1005 >/dev/null
wait_status "* / 3000"
sleep 1
shot upload-stop
drive key 1007 27 >/dev/null  # Esc
wait_status "上传已停止：发送了 * 行（共 3000 行），未发送结束符>>>"

# 停止 (Esc) in the middle of a download: the status line gives the bytes and
# the rate while it runs and says it stopped, and the journal keeps the entry
# as stopped by the user. Text typed into the pane then is kept nowhere: 新建
# asks the unsaved-pane guard's question; Cancel keeps the text, No discards it.
/usr/bin/python3 -c 'open("'"$work"'/long.txt", "wb").write(b"".join(
    b"K%d,\xb5\xe3,%d.125,%d.5\r\n" % (i, 3000 + i, 4000 + i) for i in range(3000)))'
start_sim send "$work/long.txt" --baud 9600
drive command 1004 >/dev/null
wait_status "收到数据行数: [1-9]* 字节, *KB/s"
shot download-stop
drive key 1007 27 >/dev/null  # Esc
wait_status "收到数据行数: *，下载已停止，共收到 * 字节"
grep -rqx "state=stopped" "$WINEPREFIX/drive_c/users" || fail "停止: no journal entry says stopped"
drive type 1007 "typed" >/dev/null
for _ in $(seq 50); do [[ "$(drive text 1007)" == *typed* ]] && break; sleep 0.1; done
printf 'cancel\nno\n' >>"$work/answers"
drive command 32783 >/dev/null
wait_status ""
[[ "$(drive text 1007)" == *typed* ]] || fail "新建 with Cancel did not keep the pane"
drive command 32783 >/dev/null
wait_status "创建了新文件..."
[ "$(grep -c '^message 文本窗口中的内容还没有保存' "$work/answers.asked")" = 2 ] ||
  fail "新建 did not ask the guard's question twice: $(cat "$work/answers.asked")"
# 最近打开的文件: the third file, the one named on the command line, opens again.
drive command 41002 >/dev/null
for _ in $(seq 50); do [[ "$(drive text 1007)" == PT1,* ]] && break; sleep 0.1; done
[[ "$(drive text 1007)" == PT1,* ]] || fail "最近打开的文件 did not open 坐标.txt: $(drive text 1007 | head -c 80)"
# A large file fills the pane in steps: the window answers meanwhile, and
# once whole the pane saves every byte (steps end at line breaks, but not
# when a line is longer than a step).
/usr/bin/python3 -c 'open("'"$work"'/大.txt", "wb").write(b"".join(b"PT%d,\xd7\xf8\xb1\xea,%d.125,%d.5\r\n"
    % (i, 3000 + i, 4000 + i) for i in range(40000)) + b"X" * 150000 + b"\r\nEND\xb5")'
echo "$(win_path "$work/大.txt")" >>"$work/answers"
drive command 32772 >/dev/null
for _ in $(seq 50); do [[ "$(drive text 1007)" == PT0,* ]] && break; sleep 0.1; done
drive editable 1007 >/dev/null || fail "the large file did not fill the pane"
save_pane_and_compare "$work/大-另存.txt" "$work/大.txt"

# A point list with GBK names and odd numbers; the dialog starts with the
# layouts of a fresh settings file, as the command line does.
/usr/bin/python3 -c 'open("'"$work"'/点.txt", "wb").write(b"".join(b"\xb5\xe3%d,TREE,%d.125,-%d.5,%s\r\n"
    % (i, 3000000 + i, 500000 + i, [b"12.3", b"", b"x", b"1e3"][i % 4]) for i in range(300)))'
"$linux_cli" universal "$work/点.txt" "$work/want-通用.txt" >/dev/null
drive command 32802 >/dev/null
[ "$(drive dialog)" = "万能数据转换" ] || fail "万能数据转换: $(drive dialog)"
drive dialog-set 1055 "$(win_path "$work/点.txt")" >/dev/null
drive dialog-set 1056 "$(win_path "$work/通用.txt")" >/dev/null
drive dialog-click 1 >/dev/null
for _ in $(seq 100); do [ -s "$work/通用.txt" ] && break; sleep 0.1; done
sleep 1
shot universal
cmp -s "$work/want-通用.txt" "$work/通用.txt" || fail "万能数据转换 wrote other bytes than the command line: $(cmp "$work/want-通用.txt" "$work/通用.txt" 2>&1)"
# A column the target layout leaves empty is marked in the preview table, its
# note a tool tip of the cell.
drive dialog-select 1044 2 >/dev/null
drive dialog-hover 2121 0 2 >/dev/null
for _ in $(seq 30); do [ -n "$(drive tip)" ] && break; sleep 0.1; done
[ "$(drive tip)" = "空列：目标文件中这一列没有内容" ] || fail "the empty cell's note: $(drive tip)"
drive dialog-click 2 >/dev/null

# 保存为DXF文件 of a coordinate file opened by 打开: the drawing the command line makes.
/usr/bin/python3 -c 'open("'"$work"'/pane.txt", "wb").write(b"\r\n".join(
    b"PT%d,%.3f,%.3f,%.3f,C%d" % (i, 3e6 + i, 5e5 - i, 10 + i / 7, i % 4) for i in range(300)) + b"\r\n")'
"$linux_cli" dxf --type coordinate "$work/pane.txt" "$work/want.dxf" >/dev/null
echo "$(win_path "$work/pane.txt")" >>"$work/answers"
drive command 32772 >/dev/null
for _ in $(seq 50); do [[ "$(drive text 1007)" == PT0,* ]] && break; sleep 0.1; done
drive command 32813 >/dev/null
[ "$(drive dialog)" = "For *.DXF" ] || fail "保存为DXF文件: $(drive dialog)"
drive dialog-set 1100 "$(win_path "$work/坐标.dxf")" >/dev/null
shot dxf
drive dialog-click 1 >/dev/null
for _ in $(seq 100); do [ -s "$work/坐标.dxf" ] && break; sleep 0.1; done
cmp -s "$work/want.dxf" "$work/坐标.dxf" || fail "保存为DXF文件 wrote other bytes than the command line: $(cmp "$work/want.dxf" "$work/坐标.dxf" 2>&1)"

# 保存为EXCEL文件: the coordinate file as an .xls with number cells (the box
# ticked in the save dialog), and another maker's file as an .xlsx, as the
# command line writes them (an .xlsx comes from another writer on each
# system: its cells are compared); each is handed to the viewer after the pause.
other="$here/../data/other_makers/sample.gsi8"
"$linux_cli" excel --numbers "$work/pane.txt" "$work/want.xls" >/dev/null
"$linux_cli" excel "$other" "$work/want.xlsx" >/dev/null
printf '%s\n%s|1\n%s\n%s|0\n' "$(win_path "$work/pane.txt")" "$(win_path "$work/表.xls")" \
  "$(win_path "$other")" "$(win_path "$work/表.xlsx")" >>"$work/answers"
drive command 32812 >/dev/null
for _ in $(seq 100); do [ -s "$work/表.xls" ] && break; sleep 0.1; done
cmp -s "$work/want.xls" "$work/表.xls" || fail "保存为EXCEL文件 wrote other bytes than the command line: $(cmp "$work/want.xls" "$work/表.xls" 2>&1)"
drive command 32812 >/dev/null
for _ in $(seq 100); do [ -s "$work/表.xlsx" ] && break; sleep 0.1; done
/usr/bin/python3 "$here/../export/xlsx_cells_compare.py" "$work/want.xlsx" "$work/表.xlsx" >/dev/null 2>&1 ||
  fail "保存为EXCEL文件 of another maker's file has other cells than the command line's workbook"
# The report's two lines show on the one status line, a line break as spaces.
wait_status "源文件格式：*记录  跳过 1 *"
for _ in $(seq 100); do grep -q '^view .*表\.xlsx' "$work/answers.asked" && break; sleep 0.1; done
grep -q '^view .*表\.xls[[:space:]]*$' "$work/answers.asked" && grep -q '^view .*表\.xlsx' "$work/answers.asked" ||
  fail "the workbooks were not opened: $(cat "$work/answers.asked")"

# 打印坐标文件 of another maker's file: the column order, the table in the work
# file as the command line writes it, the viewer, then the print (its dialog
# is not shown under the scripted desktop).
"$linux_cli" table "$other" "$work/want-table.txt" >/dev/null
echo "$(win_path "$other")" >>"$work/answers"
drive command 32811 >/dev/null
[ "$(drive dialog)" = "选择数据位置" ] || fail "打印坐标文件: $(drive dialog)"
shot print-order
drive dialog-click 1 >/dev/null
for _ in $(seq 100); do grep -q '^print ' "$work/answers.asked" && break; sleep 0.1; done
grep -q '^print 坐标表 - sample.gsi8 2 rows' "$work/answers.asked" || fail "打印坐标文件 printed nothing: $(cat "$work/answers.asked")"
table=$(grep '^view .*veltratemp.txt' "$work/answers.asked" | tail -n1 | cut -c6-)
[ -n "$table" ] || fail "打印坐标文件 opened no table: $(cat "$work/answers.asked")"
got=$("$WINE" winepath -u "$table" 2>/dev/null | tr -d '\r')
cmp -s "$work/want-table.txt" "$got" ||
  fail "打印坐标文件 wrote another table than the command line: $(cmp "$work/want-table.txt" "$got" 2>&1)"

# 下载数据转换 of downloaded coordinates in the pane: the kind is confirmed, and
# layout 3 comes out as the command line writes it.
printf 'ATMOS 20.0,1013.0\r\n' >"$work/coord.txt"
/usr/bin/python3 -c 'open("'"$work"'/coord.txt", "ab").write(b"".join(
    b"P%d,%d.125,%d.5,%d.25,\xb5\xe3\r\n" % (i, 2000 + i, 3000 + i, 40 + i) for i in range(200)))'
"$linux_cli" coord --layout 3 "$work/coord.txt" "$work/want-coord.txt" >/dev/null
printf '%s\nyes\n%s\n' "$(win_path "$work/coord.txt")" "$(win_path "$work/坐标转换.txt")" >>"$work/answers"
drive command 32772 >/dev/null
for _ in $(seq 50); do [[ "$(drive text 1007)" == ATMOS* ]] && break; sleep 0.1; done
drive command 1026 >/dev/null
[ "$(drive dialog)" = "数据转换" ] || fail "下载数据转换: $(drive dialog)"
# The hover hint: on the first movement over a control, gone over the bare dialog.
drive dialog-hover 1068 >/dev/null
for _ in $(seq 20); do [ -n "$(drive hint)" ] && break; sleep 0.1; done
[ "$(drive hint)" = $'提取测量数据中的角度距离数据\n斜距SD会被计算成平距和高差' ] || fail "the hint of 1068: $(drive hint)"
shot download-convert-hint
drive dialog-hover 0 >/dev/null
for _ in $(seq 20); do [ -z "$(drive hint)" ] && break; sleep 0.1; done
[ -z "$(drive hint)" ] || fail "the hint stayed over the bare dialog: $(drive hint)"
drive dialog-select 1077 3 >/dev/null
drive dialog-click 1079 >/dev/null
sleep 0.5
drive dialog-click 1 >/dev/null
for _ in $(seq 100); do [ -s "$work/坐标转换.txt" ] && break; sleep 0.1; done
sleep 0.5
shot download-convert
cmp -s "$work/want-coord.txt" "$work/坐标转换.txt" || fail "下载数据转换 wrote other bytes than the command line: $(cmp "$work/want-coord.txt" "$work/坐标转换.txt" 2>&1)"
# 预览 of the coordinate file: its points, 全图, and the picture saved as a PNG.
drive dialog-click 2120 >/dev/null
sleep 1
[[ "$(drive dialog)" == "预览 - "*.txt ]] || fail "预览: $(drive dialog)"
[[ "$(drive dialog-text 2107)" == "点数: 200  范围: X 2.000 – 2.199 米, Y 3.001 – 3.200 米  非点行: 1" ]] ||
  fail "the preview's range line: $(drive dialog-text 2107)"
drive dialog-click 2102 >/dev/null
sleep 0.5
shot preview
echo "$(win_path "$work/预览.png")" >>"$work/answers"
drive dialog-click 2105 >/dev/null
for _ in $(seq 50); do [ -s "$work/预览.png" ] && break; sleep 0.1; done
/usr/bin/python3 -c 'import sys, struct, zlib; d = open(sys.argv[1], "rb").read()
assert d[:8] == b"\x89PNG\r\n\x1a\n" and d[12:16] == b"IHDR", d[:16]
w, h = struct.unpack(">II", d[16:24]); assert w > 400 and h > 300, (w, h)
assert d.endswith(b"IEND\xaeB`\x82")' "$work/预览.png" || fail "导出PNG wrote no valid PNG"
drive dialog-close >/dev/null
sleep 0.5
[ "$(drive dialog)" = "数据转换" ] || fail "the preview did not close: $(drive dialog)"
drive dialog-click 2 >/dev/null
# 预览 of the 转换 menu shows the pane's points.
drive command 32901 >/dev/null
[ "$(drive dialog)" = "预览 - 文本窗口" ] || fail "预览 of the pane: $(drive dialog)"
[[ "$(drive dialog-text 2107)" == "点数: 200 "* ]] || fail "the pane's range line: $(drive dialog-text 2107)"
# A click just beside the first point picks it. The points span less than a
# metre, so 全图 shows a 1.2 m square about their middle (east 3.1, north
# 2.099625); the first point lies 0.0995 m west and south of it.
read -r w h <<<"$(drive dialog-size 2106)"
px=$(/usr/bin/python3 -c "s = min($w, $h) / 1.2; print(round($w / 2 - 0.0995 * s) - 3, round($h / 2 + 0.0995 * s) + 3)")
drive dialog-press 2106 $px >/dev/null
[ "$(drive dialog-text 2108)" = "点名: P0  X: 2.000  Y: 3.001  Z: 0.040  编码: 点" ] ||
  fail "the click at $px of ${w}x$h picked: $(drive dialog-text 2108)"
drive dialog-close >/dev/null
grep -q '^message 你打开的是坐标文件???' "$work/answers.asked" || fail "the kind was not confirmed: $(cat "$work/answers.asked")"

# 计算器 starts the system's calculator through the shell.
drive command 32790 >/dev/null
for _ in $(seq 30); do grep -q '^start calc.exe' "$work/answers.asked" && break; sleep 0.1; done
grep -q '^start calc.exe' "$work/answers.asked" || fail "计算器 started nothing: $(cat "$work/answers.asked")"

# Moved onto a monitor of 1.5 times the DPI, the window's font and layout grow
# alike; moved back, the window is as wide as it was (its height may have met
# the screen's, so this comes last).
read -r _ before <<<"$(drive size 1010)"
read -r window _ <<<"$(drive size 0)"
drive dpi 144 96 >/dev/null
read -r _ after <<<"$(drive size 1010)"
[ $((after * 4)) -ge $((before * 5)) ] || fail "the status line at 144 DPI: $after pixels high, at 96: $before"
drive dpi 96 144 >/dev/null
[[ "$(drive size 0)" == "$window "* ]] || fail "back at 96 DPI the window is $(drive size 0), not $window wide"

echo "yes" >>"$work/answers"
drive command 32775 >/dev/null
for _ in $(seq 300); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program" 2>/dev/null && fail "退出 did not end the program; asked: $(cat "$work/answers.asked")"
program=""
grep -q '^message 真的要退出程序吗>>>' "$work/answers.asked" || fail "questions asked: $(cat "$work/answers.asked")"

# The program killed in the middle of a download: started again, it offers
# the journaled bytes, and they come back into the pane as they arrived.
start_sim send "$work/long.txt" --baud 9600
: >"$work/answers2"
"$WINE" "$exe" "--scripted-desktop=$(win_path "$work/answers2")" >/dev/null 2>&1 &
program=$!
drive wait >/dev/null || fail "the main window did not show again"
drive command 1004 >/dev/null
wait_status "收到数据行数: [1-9]*"
# 串口 opened over the running download, 停止 enabled in it.
drive menu c >/dev/null
sleep 1
shot download-running
kill -9 "$program"
wait "$program" 2>/dev/null || true
program=""
echo yes >"$work/answers3"
"$WINE" "$exe" "--scripted-desktop=$(win_path "$work/answers3")" >/dev/null 2>&1 &
program=$!
drive wait >/dev/null || fail "the main window did not show after the kill"
wait_status "已恢复下载*中断*"
grep -q '^message 上次的下载没有正常结束' "$work/answers3.asked" || fail "no restore offer: $(cat "$work/answers3.asked")"
echo "$(win_path "$work/恢复.txt")" >>"$work/answers3"
drive command 32774 >/dev/null
wait_status 保存成功
/usr/bin/python3 -c 'import sys; got = open(sys.argv[2], "rb").read()
want = open(sys.argv[1], "rb").read().replace(b"\r", b"").replace(b"\n", b"\r\n")
assert 0 < len(got) < len(want) and want.startswith(got), len(got)' "$work/long.txt" "$work/恢复.txt" ||
  fail "the restored download is not what arrived"
kill "$program" 2>/dev/null || true
program=""
echo "desktop_program: open (a large file in steps), save as, About, a DPI change, the hover hint, an empty cell's note, a download and an upload through COM5, 停止 of each, the unsaved-pane question on 新建, a recent file, the download and universal conversions, the DXF and Excel exports, the printed table, the point preview (全图, a pick, PNG), exit and the restore offer after a kill work"
