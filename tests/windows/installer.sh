#!/usr/bin/env bash
# The installer and the portable .zip under wine: a silent install for the
# user (no administrator), the installed programs start, the Apps & Features
# entry and the Start menu entry are there; a silent uninstall then removes
# every installed file, the entry and the shortcut, and leaves the user's
# settings and download journal alone.
# usage: bash tests/windows/installer.sh WIN_BUILD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine_env.sh" "$1"
# No menu files for the Linux desktop from the shortcut the installer makes.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
version=$(sed -n 's/^project(VeltraMarlin VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")
setup="$WIN_BUILD_DIR/dist/veltramarlin-$version-setup.exe"
zip="$WIN_BUILD_DIR/dist/veltramarlin-$version-windows-x64.zip"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\VeltraMarlin'
work=$(mktemp -d)
trap 'rm -rf "$work"; wine_env_stop_if_ours' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -f "$setup" ] || fail "no installer at $setup"

unix_path() { "$WINE" winepath.exe -u "$1" 2>/dev/null | tr -d '\r'; }
win_var() { "$WINE" cmd.exe /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
local_app_data=$(unix_path "$(win_var LOCALAPPDATA)")
app_data=$(unix_path "$(win_var APPDATA)")
instdir="$local_app_data/Programs/VeltraMarlin"
shortcut="$app_data/Microsoft/Windows/Start Menu/Programs/Veltra全站仪通讯.lnk"
# What the user owns: settings and the download journal, made before the install.
mkdir -p "$app_data/VeltraMarlin" "$local_app_data/VeltraMarlin/downloads"
echo "[NewConfig]" >"$app_data/VeltraMarlin/ConfigFile.ini"
echo "raw bytes" >"$local_app_data/VeltraMarlin/downloads/test-journal.raw"

# The Apps & Features entry as the registry holds it (reg export writes UTF-16).
uninstall_entry() {
  rm -f "$work/entry.reg"
  "$WINE" reg.exe export "$key" 'Z:'"${work//\//\\}"'\entry.reg' /y >/dev/null 2>&1 || true
  [ -f "$work/entry.reg" ] && /usr/bin/python3 -c 'import sys; print(open(sys.argv[1], encoding="utf-16").read())' "$work/entry.reg"
  return 0
}

"$WINE" "$setup" /S >/dev/null 2>&1 || fail "silent install exited $?"
[ -f "$instdir/veltramarlin-cli.exe" ] && [ -f "$instdir/uninstall.exe" ] ||
  fail "installed: $(ls -A "$instdir" 2>&1)"
out=$("$WINE" "$instdir/veltramarlin-cli.exe" --version 2>&1 | tr -d '\r')
[ "$out" = "veltramarlin-cli $version" ] || fail "the installed CLI says: $out"
entry=$(uninstall_entry)
for want in '"DisplayName"="Veltra全站仪通讯"' "\"DisplayVersion\"=\"$version\"" \
            '"Publisher"="VeltraMarlin developers"' 'uninstall.exe\" /S' '"EstimatedSize"=dword:0'; do
  [[ $entry == *"$want"* ]] || fail "the Apps & Features entry lacks $want: $entry"
done
[[ $entry == *'"EstimatedSize"=dword:00000000'* ]] && fail "the entry gives no size: $entry"

if [ -f "$instdir/veltramarlin.exe" ]; then
  [ -f "$shortcut" ] || fail "no Start menu entry at $shortcut"
  # The installed desktop program shows its window (on the session's display).
  "$WINE" "$instdir/veltramarlin.exe" >/dev/null 2>&1 &
  program=$!
  title="${VM_WINDOW_TITLE:-VeltraMarlin}"
  shown=""
  for _ in $(seq 100); do
    if xwininfo -root -tree 2>/dev/null | grep -q "\"$title"; then shown=1; break; fi
    sleep 0.2
  done
  "$WINE" taskkill.exe /f /im "$(basename "${VM_WINDOW_EXE:-veltramarlin.exe}")" >/dev/null 2>&1 || true
  wait "$program" 2>/dev/null || true
  [ -n "$shown" ] || fail "the installed desktop program showed no window titled $title"
  echo "installer: the installed desktop program shows its window"
else
  echo "installer: this build has no desktop program; its window and Start menu entry are not checked"
fi

# A silent uninstall runs from a copy of the uninstaller in the temporary
# folder and returns at once; wait for it to finish.
"$WINE" "$instdir/uninstall.exe" /S >/dev/null 2>&1 || fail "silent uninstall exited $?"
for _ in $(seq 150); do [ -e "$instdir" ] || break; sleep 0.2; done
[ -e "$instdir" ] && fail "left behind after uninstall: $(ls -A "$instdir")"
[ -e "$shortcut" ] && fail "the Start menu entry is left after uninstall"
[ -z "$(uninstall_entry)" ] || fail "the Apps & Features entry is left after uninstall"
[ -f "$app_data/VeltraMarlin/ConfigFile.ini" ] && [ -f "$local_app_data/VeltraMarlin/downloads/test-journal.raw" ] ||
  fail "uninstall removed the user's settings or journal"
rm -f "$app_data/VeltraMarlin/ConfigFile.ini" "$local_app_data/VeltraMarlin/downloads/test-journal.raw"

# The portable .zip: one folder with the same programs, which run from there.
mkdir "$work/portable" && (cd "$work/portable" && cmake -E tar xf "$zip")
folder="$work/portable/veltramarlin-$version-windows-x64"
out=$("$WINE" "$folder/veltramarlin-cli.exe" --version 2>&1 | tr -d '\r')
[ "$out" = "veltramarlin-cli $version" ] || fail "the CLI from the .zip says: $out"
echo "installer: silent install and uninstall, Apps & Features entry, portable .zip;" \
  "installer $(stat -c %s "$setup") bytes, .zip $(stat -c %s "$zip") bytes"
