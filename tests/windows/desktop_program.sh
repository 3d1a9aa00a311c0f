#!/usr/bin/env bash
# The desktop program under wine, driven by messages to its windows and
# controls by id (veltramarlin-drive.exe), its questions answered from a file:
# a file named on the command line opens into the pane and 另存为 writes it
# back by the pane-to-file rule; About is rendered from its description and
# closes with OK; 退出 asks and ends the program. Screenshots of the main
# window and the About box land in WIN_BUILD/screenshots/.
# usage: bash tests/windows/desktop_program.sh WIN_BUILD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb_env.sh"
. "$here/wine_env.sh" "$1"
exe="$WIN_BUILD_DIR/win/veltramarlin.exe"
drive="$WIN_BUILD_DIR/win/veltramarlin-drive.exe"
shots="$WIN_BUILD_DIR/screenshots"
work=$(mktemp -d)
program=""
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null || true
  rm -rf "$work"
  wine_env_stop_if_ours
  xvfb_env_stop_if_ours
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
win_path() { echo "Z:${1//\//\\}"; }
mkdir -p "$shots" "$work/数据"
"$WINE" regedit /S "$(win_path "$here/wine_display.reg")" >/dev/null 2>&1 </dev/null
drive() { "$WINE" "$drive" "$@" 2>&1; }

# GBK point names, CR LF, a lone LF and a lone CR, no line break at the end.
printf 'PT1,\xd7\xf8\xb1\xea,100.125,200.5\r\nPT2,1,2,3\nPT3,\xb5\xe3\rX\r\nEND' >"$work/数据/坐标.txt"
: >"$work/answers"

start=$(date +%s.%N)
"$WINE" "$exe" "--scripted-desktop=$(win_path "$work/answers")" "$(win_path "$work/数据/坐标.txt")" \
  >/dev/null 2>&1 &
program=$!
drive wait >/dev/null || fail "the main window did not show"
echo "desktop_program: the main window showed after $(echo "$(date +%s.%N) - $start" | bc) s"
sleep 1
drive screenshot "$(win_path "$work/main.bmp")" && /usr/bin/python3 "$here/png_of_bmp.py" "$work/main.bmp" "$shots/main-window.png"

echo "$(win_path "$work/数据/另存.txt")" >>"$work/answers"
drive command 32774 >/dev/null
for _ in $(seq 100); do [ -e "$work/数据/另存.txt" ] && break; sleep 0.1; done
/usr/bin/python3 -c 'import sys; a, b = sys.argv[1:]
assert open(b, "rb").read() == open(a, "rb").read().replace(b"\r", b"").replace(b"\n", b"\r\n")' \
  "$work/数据/坐标.txt" "$work/数据/另存.txt" || fail "另存为 wrote other bytes: $(od -c "$work/数据/另存.txt" | head -5)"
for _ in $(seq 50); do [ "$(drive text 1010)" = "保存成功" ] && break; sleep 0.1; done
[ "$(drive text 1010)" = "保存成功" ] || fail "status line after saving: $(drive text 1010)"

drive command 32782 >/dev/null
[ "$(drive dialog)" = "About Veltra全站仪通讯" ] || fail "About: $(drive dialog)"
sleep 0.5
drive screenshot "$(win_path "$work/about.bmp")" && /usr/bin/python3 "$here/png_of_bmp.py" "$work/about.bmp" "$shots/about.png"
drive dialog-click 1 >/dev/null
sleep 0.5
[ "$(drive dialog 2>/dev/null)" != "About Veltra全站仪通讯" ] || fail "About stayed open after OK"

echo "yes" >>"$work/answers"
drive command 32775 >/dev/null
for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program" 2>/dev/null && fail "退出 did not end the program"
program=""
grep -q '^message 真的要退出程序吗>>>' "$work/answers.asked" || fail "questions asked: $(cat "$work/answers.asked")"
echo "desktop_program: open, save as, About and exit work"
