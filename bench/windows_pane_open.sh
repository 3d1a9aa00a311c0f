#!/usr/bin/env bash
# The Windows program under wine opening a large file named on its command
# line: the time until its main window shows, until it answers a message (its
# status line's text) while the pane fills, and until the whole file is in the
# pane (the pane takes typing again).
# usage: bash bench/windows_pane_open.sh [LINUX_BUILD] [WIN_BUILD] [MEGABYTES]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
win_build=${2:-build-win}
megabytes=${3:-20}
if [ ! -x "$win_build/win/veltramarlin.exe" ] || [ ! -x "$win_build/win/veltramarlin-drive.exe" ]; then
  echo "windows_pane_open: skipped (no $win_build/win/veltramarlin.exe)"
  exit 0
fi
. "$here/../tests/windows/xvfb_env.sh"
. "$here/../tests/windows/wine_env.sh" "$win_build"
work=$(mktemp -d)
program=""
trap '[ -n "$program" ] && kill "$program" 2>/dev/null; rm -rf "$work"; wine_env_stop_if_ours; xvfb_env_stop_if_ours' EXIT
drive() { "$WINE" "$WIN_BUILD_DIR/win/veltramarlin-drive.exe" "$@" 2>&1; }
/usr/bin/python3 -c 'import sys
line = b"PT%d,\xb5\xe3\xba\xc5,%d.125,%d.500,12.3\r\n"
out, size, i = [], 0, 0
while size < int(sys.argv[2]) * 1000000:
    out.append(line % (i, 3000 + i, 4000 + i)); size += len(out[-1]); i += 1
open(sys.argv[1], "wb").write(b"".join(out))' "$work/large.txt" "$megabytes"
: >"$work/answers"
ms() { echo $((($(date +%s%N) - start) / 1000000)); }
start=$(date +%s%N)
"$WINE" "$WIN_BUILD_DIR/win/veltramarlin.exe" "--scripted-desktop=Z:${work//\//\\}\\answers" \
  "Z:${work//\//\\}\\large.txt" >/dev/null 2>&1 &
program=$!
drive wait >/dev/null
shown=$(ms)
drive text 1010 >/dev/null
answering=$(ms)
drive editable 1007 >/dev/null
echo "windows_pane_open: ${megabytes} MB: window shown after ${shown} ms, answering after ${answering} ms, whole file in the pane after $(ms) ms"
