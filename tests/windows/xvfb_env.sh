# Sourced by the scripts of tests/windows/ that show windows: a virtual screen
# of 1366x768 for wine, started before the wine session so that wine's own
# desktop window and every program of the session draw on it.
#   usage: . tests/windows/xvfb_env.sh
XVFB_ENV_STARTED=""
if [ -z "${VM_XVFB_DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_ENV_PID=$!
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
    if kill -0 "$XVFB_ENV_PID" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
      export VM_XVFB_DISPLAY=":$n" XVFB_ENV_STARTED=1 XVFB_ENV_PID
      break
    fi
  done
fi
export DISPLAY="${VM_XVFB_DISPLAY:-${DISPLAY:-}}"
# No zh_CN locale (not installed here, it keeps wine's windows from showing);
# UTF-8 so that Chinese file names reach wine's programs as they are.
unset LC_ALL LANGUAGE
export LANG=C.UTF-8

# Ends the virtual screen when this script started it.
xvfb_env_stop_if_ours() {
  if [ -n "$XVFB_ENV_STARTED" ]; then kill "$XVFB_ENV_PID" 2>/dev/null || true; fi
}
