#!/usr/bin/env bash
# `veltramarlin-cli table` and `dxf` from the shell: exact table bytes, the
# column options, exit statuses, and failures that report no "Save OK".
set -uo pipefail
cli="$1/cli/veltramarlin-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_status() {  # expected, then the command
    local want="$1"; shift
    "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" -eq "$want" ] || fail "exit $got (want $want): $* :: $(cat "$work/out" "$work/err")"
}
gap='           '
heading=$'PT#            X              Y             Z           PCode\r\n\r\n'

printf 'Points\r\n1,TREE,100.5,200.25,30\r\n7,100,200,30,K9\r\n' >"$work/src.txt"

expect_status 0 "$cli" table "$work/src.txt" "$work/t1.txt"
want="${heading}1${gap}100.5${gap}200.25${gap}30${gap}TREE"$'\r\n'"7${gap}200${gap}30${gap}K9${gap}100"$'\r\n'
[ "$(cat "$work/t1.txt"; echo .)" = "${want}." ] || fail "default table bytes"

# No code: PT# 1, X 2, Y 3, Z 4; Z takes the rest of the line.
expect_status 0 "$cli" table --no-code "$work/src.txt" "$work/t2.txt"
want="${heading}1${gap}TREE${gap}100.5${gap}200.25,30"$'\r\n'"7${gap}100${gap}200${gap}30,K9"$'\r\n'
[ "$(cat "$work/t2.txt"; echo .)" = "${want}." ] || fail "no-code table bytes"

# Columns as the user numbers them: PT#, PCode, X, Y, Z.
expect_status 0 "$cli" table --columns 1,2,4,3,5 "$work/src.txt" "$work/t3.txt"
want="${heading}1${gap}200.25${gap}100.5${gap}30${gap}TREE"$'\r\n'"7${gap}30${gap}200${gap}K9${gap}100"$'\r\n'
[ "$(cat "$work/t3.txt"; echo .)" = "${want}." ] || fail "--columns table bytes"

expect_status 2 "$cli" table --columns 1,2,3,4,6 "$work/src.txt" "$work/t4.txt"
expect_status 2 "$cli" table --columns 1,2,3 "$work/src.txt" "$work/t4.txt"
expect_status 2 "$cli" table "$work/src.txt"
expect_status 0 "$cli" table --help
[ ! -e "$work/t4.txt" ] || fail "a usage error wrote a table"

# A source that cannot be read, a target that cannot be created: exit 1, a
# message, and the earlier table untouched.
printf 'earlier' >"$work/keep.txt"
expect_status 1 "$cli" table "$work/missing.txt" "$work/keep.txt"
grep -q 'missing.txt' "$work/out" || fail "no message for the missing source"
[ "$(cat "$work/keep.txt")" = earlier ] || fail "the earlier table was replaced"
expect_status 1 "$cli" table "$work/src.txt" "$work/no/such/dir/t.txt"

# DXF: usage, success and the failures that must not say "Save OK".
printf 'P1,100,200,30,CODE\r\n' >"$work/pane.txt"
expect_status 2 "$cli" dxf "$work/pane.txt" "$work/a.dxf"
expect_status 2 "$cli" dxf --type text "$work/pane.txt" "$work/a.dxf"
expect_status 0 "$cli" dxf --type coordinate "$work/pane.txt" "$work/a.dxf"
grep -qx 'Save OK' "$work/out" || fail "no Save OK"
[ "$(tail -c 12 "$work/a.dxf")" = $'ENDSEC\n0\nEOF' ] || fail "drawing tail"
expect_status 1 "$cli" dxf --type coordinate "$work/pane.txt" "$work/no/such/dir/a.dxf"
grep -q 'Save OK' "$work/out" && fail "Save OK for a target that could not be created"
printf 'earlier drawing' >"$work/b.dxf"
expect_status 1 "$cli" dxf --type measurement "$work/missing.txt" "$work/b.dxf"
grep -q 'Save OK' "$work/out" && fail "Save OK for a source that could not be read"
[ "$(cat "$work/b.dxf")" = 'earlier drawing' ] || fail "the earlier drawing was replaced"

[ "$failures" -eq 0 ] && echo "table and dxf CLI checks passed"
exit $((failures > 0))
