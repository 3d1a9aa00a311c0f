#!/usr/bin/env bash
# Builds the Debian package as `make package` does and checks it the way a
# user meets it: its contents, lintian (no errors), the menu entry and the
# AppStream data, then the package unpacked into a scratch root: the three
# programs answer --version with the package's version, the CLI converts a
# file, and the desktop program starts (offscreen) with a file to open.
# Usage: package_check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build_dir=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# The package is made from the plain build; a sanitizer build skips this check.
if grep -q '^VM_SANITIZE:BOOL=ON' "$build_dir/CMakeCache.txt"; then
  echo "sanitizer build: no package made from it"
  exit 77
fi

for tool in cpack dpkg-deb dpkg-shlibdeps lintian desktop-file-validate appstreamcli; do
  command -v "$tool" > /dev/null || fail "$tool is not installed (make test installs it)"
done

cpack --config "$build_dir/CPackConfig.cmake" -B "$work/pkg" > "$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/pkg/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb"
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
echo "package $(basename "$deb"), version $version, depends: $(dpkg-deb -f "$deb" Depends)"

# Contents: the programs and every file the desktop and the user look for,
# nothing outside /usr, and no test or benchmark program among the binaries.
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's#^\./#/#' > "$work/contents"
for f in /usr/bin/veltramarlin /usr/bin/veltramarlin-cli /usr/bin/veltramarlin-sim \
         /usr/share/applications/org.veltramarlin.VeltraMarlin.desktop \
         /usr/share/metainfo/org.veltramarlin.VeltraMarlin.metainfo.xml \
         /usr/share/mime/packages/veltramarlin.xml \
         /usr/share/icons/hicolor/scalable/apps/veltramarlin.svg \
         /usr/share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/veltramarlin.png \
         /usr/share/man/man1/{veltramarlin,veltramarlin-cli,veltramarlin-sim}.1.gz \
         /usr/share/bash-completion/completions/veltramarlin-cli \
         /usr/share/doc/veltramarlin/{README.Debian,copyright,changelog.Debian.gz}; do
  grep -qxF "$f" "$work/contents" || fail "the package lacks $f"
done
grep -v '^/usr/' "$work/contents" | grep -vx '/' && fail "files outside /usr"
[ "$(grep -c '^/usr/bin/.' "$work/contents")" -eq 3 ] || fail "/usr/bin holds more than the three programs"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "Depends not computed from the binaries"

# Lintian: errors fail, warnings are listed.
# (The package is not meant for Debian's archive, so it closes no ITP bug.)
lintian_status=0
lintian --fail-on error --suppress-tags initial-upload-closes-no-bugs "$deb" > "$work/lintian.log" 2>&1 ||
  lintian_status=$?
grep -v 'running with root privileges' "$work/lintian.log" || true
[ "$lintian_status" -eq 0 ] || fail "lintian reports errors"

dpkg -x "$deb" "$work/root"
root=$work/root
desktop-file-validate "$root/usr/share/applications/org.veltramarlin.VeltraMarlin.desktop" ||
  fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.veltramarlin.VeltraMarlin.metainfo.xml" ||
  fail "appstreamcli validate"
if command -v update-mime-database > /dev/null; then
  XDG_DATA_DIRS=$root/usr/share update-mime-database "$root/usr/share/mime" 2>&1 | grep . &&
    fail "the MIME type file has faults"
  grep -q '^text/x-veltramarlin-instrument' "$root/usr/share/mime/types" || fail "MIME type not registered"
fi

# The installed programs: one version for all three and the package, no library
# from the build tree, and a conversion with the exact bytes of the layout.
bin=$root/usr/bin
for program in veltramarlin veltramarlin-cli veltramarlin-sim; do
  [ "$("$bin/$program" --version)" = "$program ${version%-*}" ] ||
    fail "$program --version: '$("$bin/$program" --version)', package version $version"
  ldd "$bin/$program" | grep -E 'not found|'"$build_dir" && fail "$program needs libraries it lacks"
done
printf 'ATMOS 1,2\r\nP7,1234567,2345678,12345,TREE\r\n' > "$work/day1.txt"
"$bin/veltramarlin-cli" coord --layout 6 "$work/day1.txt" "$work/day1.dat" > /dev/null ||
  fail "the installed veltramarlin-cli could not convert"
[ "$(cat -v "$work/day1.dat")" = "$(printf '904 1 0 $1^M\nP7 2345.678 1234.567 12.345 1 1 0 0^M')" ] ||
  fail "converted file: $(cat -v "$work/day1.dat")"

# The desktop tells a downloaded instrument file (by its ATMOS line) from plain text.
if command -v gio > /dev/null && [ -f "$root/usr/share/mime/mime.cache" ]; then
  cp "$work/day1.txt" "$work/download"
  printf 'JOB 7\r\nATMOS 20,1013\r\n' > "$work/download2"
  printf 'Notes\nATMOSPHERE calm\n' > "$work/notes"
  for f in download:text/x-veltramarlin-instrument download2:text/x-veltramarlin-instrument \
           notes:text/plain; do
    got=$(XDG_DATA_HOME=$work/home XDG_DATA_DIRS=$root/usr/share:/usr/share \
          gio info -a standard::content-type "$work/${f%%:*}" | awk '/content-type/ { print $2 }')
    [ "$got" = "${f#*:}" ] || fail "${f%%:*} is seen as $got"
  done
fi

# The desktop program starts with a file to open and is still running after
# three seconds (it exits only when its window closes). It runs in the scratch
# folder with its own home, so no real settings are touched.
mkdir -p "$work/home"
status=0
(cd "$work" && HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share \
  QT_QPA_PLATFORM=offscreen timeout 3 "$bin/veltramarlin" "$work/day1.txt") > "$work/gui.log" 2>&1 ||
  status=$?
[ "$status" -eq 124 ] || { cat "$work/gui.log"; fail "the installed program ended with status $status"; }
echo "package checks passed"
