#!/usr/bin/env bash
# make test-windows: the core's test programs under wine (ctest runs them
# through the cross-compiling emulator), the command-line conversions compared
# byte for byte with the Linux build, the serial link through COM5, and the
# desktop program driven on a virtual screen, and the installer's silent
# install and uninstall.
# usage: bash tests/windows/run.sh LINUX_BUILD WIN_BUILD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# The screen first: the wine session started next draws its windows there.
. "$here/xvfb_env.sh"
. "$here/wine_env.sh" "$2"
trap 'wine_env_stop; xvfb_env_stop_if_ours' EXIT
start=$(date +%s)
(cd "$WIN_BUILD_DIR" && ctest --output-on-failure --timeout 600)
bash "$here/cli_compare.sh" "$1" "$2"
bash "$here/serial_link.sh" "$1" "$2"
bash "$here/desktop_program.sh" "$1" "$2"
bash "$here/installer.sh" "$2"
echo "test-windows: passed in $(($(date +%s) - start)) s"
