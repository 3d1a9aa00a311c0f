# Sourced by the scripts of tests/windows/: a scratch wine prefix of its own
# under the Windows build folder, booted once, and a wine session that stays up
# while the tests run, so each program start costs well under a second.
#   usage: . tests/windows/wine_env.sh BUILD_WIN
WIN_BUILD_DIR=$(cd "$1" && pwd)
export WINEPREFIX="$WIN_BUILD_DIR/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts
WINE=$(command -v wine || command -v wine-stable || echo /usr/lib/wine/wine64)
WINESERVER=$(command -v wineserver || command -v wineserver-stable || echo /usr/lib/wine/wineserver)
# Wine's desktop process starts with the first program of a session and keeps
# the display it found then: windows show only in a session that began with
# one. Each session gets a private X server (1366x768) of its own, so test
# windows appear neither on the user's screen nor nowhere.
if kill -0 "$(cat "$WINEPREFIX/keeper.pid" 2>/dev/null)" 2>/dev/null; then
  DISPLAY=$(cat "$WIN_BUILD_DIR/wine-display" 2>/dev/null || echo "${DISPLAY:-}")
elif command -v Xvfb >/dev/null; then
  for n in $(seq 90 130); do [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break; done
  Xvfb ":$n" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
  echo $! >"$WIN_BUILD_DIR/wine-xvfb.pid"
  DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
fi
export DISPLAY
echo "${DISPLAY:-}" >"$WIN_BUILD_DIR/wine-display" 2>/dev/null || true

# A boot can come back early with a half-made prefix (seen on a first run of
# wine on a busy machine); one more try from scratch then.
for _ in 1 2; do
  [ -e "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ] && break
  rm -rf "$WINEPREFIX"
  "$WINE" wineboot --init >/dev/null 2>&1 </dev/null || true
done
if [ ! -e "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]; then
  echo "wine_env: wine could not set up $WINEPREFIX" >&2
  return 1 2>/dev/null || exit 1
fi
# Wine's own services start with the first program of a session and inherit
# its output; started under a test runner they would hold the runner's pipes
# open. An idle command prompt keeps one session, with the services on
# /dev/null, alive for the whole run (at most half an hour if a run is cut off).
WINE_ENV_STARTED=""
if ! kill -0 "$(cat "$WINEPREFIX/keeper.pid" 2>/dev/null)" 2>/dev/null; then
  WINE_ENV_STARTED=1
  rm -f "$WINEPREFIX/keeper.fifo" && mkfifo "$WINEPREFIX/keeper.fifo"
  timeout 1800 "$WINE" cmd.exe <>"$WINEPREFIX/keeper.fifo" >/dev/null 2>&1 &
  echo $! >"$WINEPREFIX/keeper.pid"
  "$WINE" cmd.exe /c exit >/dev/null 2>&1 </dev/null
fi

# Ends the session: the keeper, every wine program and the wine server.
# wine_env_stop_if_ours does so only when this script started the session.
wine_env_stop_if_ours() {
  if [ -n "$WINE_ENV_STARTED" ]; then wine_env_stop; fi
}
wine_env_stop() {
  kill "$(cat "$WINEPREFIX/keeper.pid" 2>/dev/null)" 2>/dev/null || true
  rm -f "$WINEPREFIX/keeper.pid"
  "$WINESERVER" -k 2>/dev/null || true
  kill "$(cat "$WIN_BUILD_DIR/wine-xvfb.pid" 2>/dev/null)" 2>/dev/null || true
  rm -f "$WIN_BUILD_DIR/wine-xvfb.pid"
}
