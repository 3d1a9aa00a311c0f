#!/usr/bin/env bash
# The serial link of veltramarlin-cli.exe through wine's mapping of COM ports
# to devices: dosdevices/com5 of the scratch prefix points at the
# pseudo-terminal of the Linux simulator, and "download --port 5" and
# "upload --port 5" must carry every byte exactly, at 9600 and 38400 baud.
# usage: bash tests/windows/serial_link.sh LINUX_BUILD WIN_BUILD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
sim=$(cd "$1" && pwd)/tools/veltramarlin-sim
. "$here/wine_env.sh" "$2"
win_cli="$WIN_BUILD_DIR/cli/veltramarlin-cli.exe"
com5="$WINEPREFIX/dosdevices/com5"
work=$(mktemp -d)
cleanup() {
  [ -f "$work/sim.pids" ] && while read -r pid; do kill "$pid" 2>/dev/null || true; done <"$work/sim.pids"
  rm -f "$com5"
  rm -rf "$work"
  wine_env_stop_if_ours
}
trap cleanup EXIT
cd "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts the simulator and points COM5 at its pseudo-terminal.
start_sim() {
  local out="$work/sim.$RANDOM"
  "$sim" "$@" >"$out" 2>>"$work/sim.log" &
  echo $! >>"$work/sim.pids"
  for _ in $(seq 200); do
    if [ -s "$out" ]; then
      ln -sfn "$(head -n1 "$out")" "$com5"
      return
    fi
    sleep 0.05
  done
  fail "the simulator printed no device"
}

# GBK names, CR LF and a final LF-only line, every byte value but XON, XOFF and EOT.
/usr/bin/python3 -c 'open("sent.txt", "wb").write(b"".join(
    b"PT%d,\xd7\xf8\xb1\xea,%d.125,%d.5\r\n" % (i, 1000 + i, 2000 + i) for i in range(120))
    + bytes(b for b in range(256) if b not in (4, 17, 19)) + b"\ntail line with LF only\n")'
printf 'PT7,100.25,200.5,-3.0009,TREE\r\nPT8,1.001,2.002,38500000.123\r\nNOTE\r\n' >coords.txt
printf 'PT7,100250,200500,-3000,TREE\r\nPT8,1001,2002,38500000123,\r\nNOTE\r\n\004' >want.bin

for baud in 9600 38400; do
  start_sim send sent.txt --baud "$baud"
  "$WINE" "$win_cli" download --port 5 --baud "$baud" --raw --max-wait 60 raw.txt >download.out 2>&1 ||
    fail "download at $baud: $(cat download.out)"
  cmp -s sent.txt raw.txt || fail "download at $baud: received $(stat -c %s raw.txt) of $(stat -c %s sent.txt) bytes, or other bytes"
  grep -q '保存成功' download.out || fail "download at $baud: no save message: $(cat download.out)"

  rm -f got.bin
  start_sim record got.bin
  "$WINE" "$win_cli" upload --port 5 --baud "$baud" coords.txt >upload.out 2>&1 ||
    fail "upload at $baud: $(cat upload.out)"
  for _ in $(seq 100); do [ -s got.bin ] && break; sleep 0.05; done
  cmp -s want.bin got.bin || fail "upload at $baud: the instrument received $(od -c got.bin | head -3)"
  echo "serial_link: download and upload through COM5 at $baud baud are byte-exact"
done

# The pane-to-file rule on the way (a NUL cannot stand in the pane), and a
# port that is not there.
start_sim send sent.txt --baud 38400
"$WINE" "$win_cli" download --port 5 --baud 38400 --max-wait 60 pane.txt >/dev/null 2>&1 || fail "download to pane file"
/usr/bin/python3 -c 'assert open("pane.txt", "rb").read() == \
    open("sent.txt", "rb").read().replace(b"\0", b"").replace(b"\r", b"").replace(b"\n", b"\r\n")' ||
  fail "the pane-to-file rule was not applied"
# The download journal in %LOCALAPPDATA%: the three downloads above listed
# as complete, and the first of them restored byte for byte.
"$WINE" "$win_cli" downloads >journal.out 2>&1 || fail "downloads: $(cat journal.out)"
[ "$(tail -n3 journal.out | grep -c ' complete$')" = 3 ] || fail "journal: $(tail -n3 journal.out)"
id=$(tail -n3 journal.out | head -n1 | cut -d' ' -f1)
"$WINE" "$win_cli" downloads --restore "$id" restored.txt >restore.out 2>&1 ||
  fail "restore $id: $(cat restore.out)"
cmp -s sent.txt restored.txt || fail "restore $id: other bytes than were sent"
status=0
"$WINE" "$win_cli" download --port 9 --baud 9600 --max-wait 2 none.txt >missing.out 2>&1 || status=$?
[ "$status" = 1 ] || fail "a missing COM9 should exit 1, not $status: $(cat missing.out)"
grep -q 'COM9' missing.out || fail "the message should name COM9: $(cat missing.out)"
echo "serial_link: pane-to-file download, the download journal and a missing port as on Linux"
