# Sourced by the scripts of tests/windows/: a scratch wine prefix of its own
# under the Windows build folder, booted once, with a wine server that stays up
# while the tests run (each program start then costs well under a second).
#   usage: . tests/windows/wine_env.sh BUILD_WIN
WIN_BUILD_DIR=$(cd "$1" && pwd)
export WINEPREFIX="$WIN_BUILD_DIR/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts
WINE=$(command -v wine || command -v wine-stable || command -v /usr/lib/wine/wine64)
WINESERVER=$(command -v wineserver || command -v wineserver-stable || echo /usr/lib/wine/wineserver)
if [ ! -f "$WINEPREFIX/system.reg" ] || [ ! -e "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]; then
  rm -rf "$WINEPREFIX"
  "$WINE" wineboot --init >/dev/null 2>&1
fi
"$WINESERVER" -p 60 2>/dev/null || true
