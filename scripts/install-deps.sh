#!/usr/bin/env bash
# Installs what a task needs on Debian 12: only the packages of the groups
# asked for, only those missing. Quiet and quick when everything is there.
#
#   usage: install-deps.sh GROUP...        (no group: build)
#
#   build    build and run the program          make run, make install
#   test     the test suites and the independent file readers   make test
#   fuzz     the libFuzzer build                make fuzz, make test
#   bench    the benchmarks                     make bench
#   package  the .deb and its checks            make package, make test
#
# Each group is one list below; add a package to the group whose task needs it.
set -euo pipefail

build=(
  cmake ninja-build g++ make pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  libxlsxwriter-dev
  fonts-noto-cjk
)
test=(
  libgtest-dev libgmock-dev googletest
  python3 python3-xlrd python3-ezdxf
  gdal-bin python3-openpyxl poppler-utils
  xauth xvfb x11-utils
  picocom
  g++-mingw-w64-x86-64-posix wine wine64 nsis fonts-wine
)
fuzz=(
  clang libclang-rt-14-dev
)
bench=(
  python3 mawk time
)
package=(
  dpkg-dev file
  lintian desktop-file-utils appstream shared-mime-info libglib2.0-bin
)

groups=("$@")
if [ ${#groups[@]} -eq 0 ]; then groups=(build); fi
packages=()
for group in "${groups[@]}"; do
  case $group in
    build | test | fuzz | bench | package) ;;
    *) echo "install-deps.sh: unknown group '$group' (build, test, fuzz, bench, package)" >&2; exit 2 ;;
  esac
  declare -n list=$group
  packages+=("${list[@]}")
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
# Each missing package once, in the order the groups list them.
mapfile -t missing < <(printf '%s\n' "${missing[@]}" | awk 'NF && !seen[$0]++')

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
