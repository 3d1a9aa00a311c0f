#!/usr/bin/env bash
# The serial commands of veltramarlin-cli against the simulated instrument, in
# real time: a download with GBK text and a pause shorter than the end rule's
# 600 ms, the pane-to-file and raw outputs, an upload recorded until EOT, and a
# missing output as a usage error. (The messages for a port that cannot be
# opened are checked by the command line's tests.)
# usage: bash tests/scripts/serial_cli_check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
cli="$build/cli/veltramarlin-cli"
sim="$build/tools/veltramarlin-sim"
work=$(mktemp -d)
# The downloads are journaled: into this check's own folders, not the user's.
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
cleanup() {
  [ -f "$work/sim.pids" ] && while read -r pid; do kill "$pid" 2>/dev/null || true; done <"$work/sim.pids"
  rm -rf "$work"
}
trap cleanup EXIT
cd "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts the simulator with the given arguments and prints its device path.
start_sim() {
  local out="$work/sim.$RANDOM"
  "$sim" "$@" >"$out" 2>>"$work/sim.log" &
  echo $! >>"$work/sim.pids"
  for _ in $(seq 200); do
    [ -s "$out" ] && { head -n1 "$out"; return; }
    sleep 0.05
  done
  fail "the simulator printed no device"
}

# A file with GBK bytes, LF and CR LF line ends, and a 400 ms pause halfway.
/usr/bin/python3 -c 'open("sent.txt", "wb").write(b"".join(
    b"PT%d,\xd7\xf8\xb1\xea,%d.125,%d.5\r\n" % (i, 1000 + i, 2000 + i) for i in range(300)) + b"tail line with LF only\n")'
size=$(stat -c %s sent.txt)

dev=$(start_sim send sent.txt --baud 38400 --pause $((size / 2)):400)
"$cli" download --device "$dev" --baud 38400 --raw raw.txt >download.out || fail "download: $(cat download.out)"
cmp -s sent.txt raw.txt || fail "the raw download differs from what was sent"
grep -qx '保存成功' download.out || fail "no save message: $(cat download.out)"
grep -q '收到数据行数: ' download.out || fail "no line count: $(cat download.out)"

dev=$(start_sim send sent.txt --baud 38400)
"$cli" download --device "$dev" --baud 38400 pane.txt >/dev/null || fail "download to pane file"
/usr/bin/python3 -c 'assert open("pane.txt", "rb").read() == \
    open("sent.txt", "rb").read().replace(b"\r", b"").replace(b"\n", b"\r\n")' ||
  fail "the pane-to-file rule was not applied"

printf 'PT7,100.25,200.5,-3.0009,TREE\r\nPT8,1.001,2.002,38500000.123\r\nNOTE\r\n' >coords.txt
dev=$(start_sim record got.bin --log got.log)
"$cli" upload --device "$dev" --baud 9600 coords.txt >upload.out || fail "upload: $(cat upload.out)"
for _ in $(seq 100); do [ -s got.bin ] && break; sleep 0.05; done
printf 'PT7,100250,200500,-3000,TREE\r\nPT8,1001,2002,38500000123,\r\nNOTE\r\n\004' >want.bin
cmp -s want.bin got.bin || fail "the instrument received something else: $(od -c got.bin | head)"
tail -n1 upload.out | grep -qx '发送了 3 行,文件已经全部发送>>>' || fail "upload status: $(cat upload.out)"

status=0
"$cli" download --device "$dev" >/dev/null 2>&1 || status=$?
[ "$status" = 2 ] || fail "a missing OUTPUT is a usage error"
echo "serial CLI checks passed"
