#!/usr/bin/env bash
# Builds the Debian package in a folder of its own, checks its contents, Depends and lintian's
# verdict, installs it with apt, runs the installed programs and removes it again. Needs root
# (it installs), lintian, appstreamcli, desktop-file-validate and man; exits with 77 (skipped)
# without them or when the package is installed already (someone's own copy is left alone).
# Usage: package_test.sh [WORKDIR] -- WORKDIR (made afresh and removed at the end) holds the
# build and the package; a fixed one lets ccache find the last run's objects.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
package_name=zeb-tervio-setup

skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
for tool in lintian appstreamcli desktop-file-validate man apt-get dpkg-deb; do
  command -v "$tool" > /dev/null || skip "$tool is missing (scripts/install-deps.sh installs it)"
done

if dpkg -s "$package_name" > /dev/null 2>&1; then skip "$package_name is installed on this machine already"; fi

if [ $# -ge 1 ]; then
  work=$(realpath -m "$1")
  rm -rf "$work"
  mkdir -p "$work"
else
  work=$(mktemp -d /tmp/ztv-package.XXXXXX)
fi
chmod 755 "$work"  # apt reads the package as its own unprivileged user
installed=0
cleanup() {
  if [ "$installed" -eq 1 ]; then
    apt-get remove -y -qq --purge "$package_name" > /dev/null 2>&1 || dpkg --purge "$package_name" > /dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# --- the package -------------------------------------------------------------------------
start=$SECONDS
deb=$(ZTV_PACKAGE_BUILD_DIR="$work/build" bash "$src/scripts/build-package.sh" "$work")
echo "built $(basename "$deb") ($(stat -c %s "$deb") bytes) in $((SECONDS - start)) s"
# The same commit built again in another folder makes the same package to the byte; compiled
# afresh, as the compiler cache would hand back the first build's objects.
again=$(CCACHE_DISABLE=1 ZTV_PACKAGE_BUILD_DIR="$work/build-again" bash "$src/scripts/build-package.sh" "$work/again")
if ! cmp "$deb" "$again"; then
  diff <(dpkg-deb -c "$deb") <(dpkg-deb -c "$again") >&2 || true
  diff <(dpkg-deb -I "$deb" md5sums) <(dpkg-deb -I "$again" md5sums) >&2 || true
  fail "two builds of one commit made different packages"
fi
echo "built again in another folder: the same package (cmp)"
rm -rf "$work/build-again"
version=$(sed -n 's/^project([^ ]* VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "${package_name}_${version}_${arch}.deb" ] || fail "package named $(basename "$deb")"

files=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's#^\./#/#')
for expected in /usr/bin/ztv-setup /usr/bin/ztv-tool /usr/share/applications/ztv-setup.desktop \
  /usr/share/mime/packages/ztv-setup.xml /usr/share/icons/hicolor/scalable/apps/ztv-setup.svg \
  /usr/share/icons/hicolor/48x48/apps/ztv-setup.png /usr/share/icons/hicolor/256x256/apps/ztv-setup.png \
  /usr/lib/udev/rules.d/70-zeb-tervio-v4.rules /usr/share/metainfo/ru.zeb.ztv_setup.metainfo.xml \
  /usr/share/man/man1/ztv-setup.1.gz /usr/share/man/man1/ztv-tool.1.gz \
  /usr/share/bash-completion/completions/ztv-tool /usr/share/bash-completion/completions/ztv-setup \
  /usr/share/doc/$package_name/copyright /usr/share/doc/$package_name/changelog.gz \
  /usr/share/doc/$package_name/examples/demo.ZTV; do
  grep -qx -- "$expected" <<< "$files" || fail "$expected is not in the package"
done
# Only what is listed above and the folders holding it: no gadget, test or build programs,
# no caches the triggers make, nothing outside /usr.
unexpected=$(grep -v '/$' <<< "$files" | grep -vx -e /usr/bin/ztv-setup -e /usr/bin/ztv-tool \
  -e '/usr/share/icons/hicolor/[0-9]*x[0-9]*/apps/ztv-setup.png' -e '/usr/share/[a-z-]*/.*ztv.*' \
  -e '/usr/lib/udev/rules.d/70-zeb-tervio-v4.rules' -e "/usr/share/doc/$package_name/.*" || true)
[ -z "$unexpected" ] || fail "the package holds more than it should: $unexpected"
echo "file list: $(grep -vc '/$' <<< "$files") files"

# A build given no home page, picture or maintainer names none that pretends to be real; the
# settings a release build gives reach the package and the software-centre entry.
[ -z "$(dpkg-deb -f "$deb" Homepage)" ] || fail "a home page nobody set: $(dpkg-deb -f "$deb" Homepage)"
[ "$(dpkg-deb -f "$deb" Maintainer)" = "unset maintainer <unset@maintainer.invalid>" ] ||
  fail "Maintainer: $(dpkg-deb -f "$deb" Maintainer)"
metainfo=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/metainfo/ru.zeb.ztv_setup.metainfo.xml)
! grep -qE '<url|<screenshot' <<< "$metainfo" || fail "the software-centre entry links what nobody set"
settings=$work/release-settings
cmake -S "$src" -B "$settings" -DZTV_BUILD_TESTS=OFF -DZTV_BUILD_BENCH=OFF -DZTV_HOMEPAGE_URL='https://ztv.test/setup?a&b' \
  -DZTV_SCREENSHOT_URL=https://ztv.test/window.png -DZTV_MAINTAINER='A Packager <packager@ztv.test>' > /dev/null ||
  fail "configuring with a home page, picture and maintainer"
appstreamcli validate --no-net --pedantic "$settings"/packaging/*.metainfo.xml > /dev/null ||
  fail "appstreamcli with a home page and picture: $(appstreamcli validate --no-net --pedantic "$settings"/packaging/*.metainfo.xml)"
grep -q '<url type="homepage">https://ztv.test/setup?a&amp;b</url>' "$settings"/packaging/*.metainfo.xml || fail "no home page entry"
grep -q '<image>https://ztv.test/window.png</image>' "$settings"/packaging/*.metainfo.xml || fail "no picture entry"
grep -q 'CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://ztv.test/setup?a&b"' "$settings/CPackConfig.cmake" || fail "no Homepage"
grep -q 'CPACK_DEBIAN_PACKAGE_MAINTAINER "A Packager <packager@ztv.test>"' "$settings/CPackConfig.cmake" || fail "no Maintainer"
! cmake -S "$src" -B "$settings" -DZTV_MAINTAINER=$'A\nDepends: x <a@b.cd>' > /dev/null 2>&1 ||
  fail "a maintainer with a line break was taken"
rm -rf "$settings"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libc6 libstdc++6 libqt6widgets6 libqt6network6 libqt6svg6 libhidapi-hidraw0; do
  grep -q "\b$library\b" <<< "$depends" || fail "Depends names no $library"
done
! grep -qE 'libasan|libubsan' <<< "$depends" || fail "the packaged programs are built with sanitizers"
[ -z "$(dpkg-deb -f "$deb" Pre-Depends)" ] || fail "unexpected Pre-Depends"
dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -qE 'postinst|prerm|postrm|preinst' && fail "maintainer scripts in the package"

# lintian: errors fail the test, warnings are printed for the record.
lintian --fail-on error --tag-display-limit 0 "$deb" | sed 's/^/lintian: /' || fail "lintian found errors"

unpacked=$work/unpacked
dpkg-deb -x "$deb" "$unpacked"
appstreamcli validate --no-net --pedantic "$unpacked"/usr/share/metainfo/*.xml > /dev/null ||
  fail "appstreamcli: $(appstreamcli validate --no-net --pedantic "$unpacked"/usr/share/metainfo/*.xml)"
desktop-file-validate "$unpacked/usr/share/applications/ztv-setup.desktop" || fail "desktop-file-validate"
for page in "$unpacked"/usr/share/man/man1/*.1.gz; do
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 > /dev/null)
  [ -z "$warnings" ] || fail "$(basename "$page") renders with warnings: $warnings"
done

# --- installed, run, removed ---------------------------------------------------------------
# One package test at a time on a machine, and never over someone's installed copy.
mkdir -p /run/lock
exec 9> /run/lock/ztv-package-test.lock
flock -w 1800 9 || fail "another package test holds /run/lock/ztv-package-test.lock"
if dpkg -s "$package_name" > /dev/null 2>&1; then skip "$package_name is installed on this machine already"; fi
installed=1
apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends "$deb" > "$work/apt.log" 2>&1 ||
  fail "apt-get install: $(cat "$work/apt.log")"

export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
mkdir -p -m 700 "$HOME" "$XDG_RUNTIME_DIR"
[ "$(/usr/bin/ztv-tool --version)" = "ztv-tool $version" ] || fail "ztv-tool --version says $(/usr/bin/ztv-tool --version)"
/usr/bin/ztv-tool describe "/usr/share/doc/$package_name/examples/demo.ZTV" > "$work/describe.txt" || fail "ztv-tool describe"
grep -q '^9\*' "$work/describe.txt" || fail "ztv-tool describe printed no slot 9: $(head -5 "$work/describe.txt")"
QT_QPA_PLATFORM=offscreen /usr/bin/ztv-setup --simulate --after 200 --screenshot "$work/window.png" \
  "$src/samples/demo.ZTV" > "$work/setup.log" 2>&1 || fail "ztv-setup --screenshot: $(cat "$work/setup.log")"
[ "$(head -c 8 "$work/window.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "no PNG picture"

apt-get remove -y -qq --purge -o DPkg::Lock::Timeout=600 "$package_name" > "$work/apt.log" 2>&1 ||
  fail "apt-get remove: $(cat "$work/apt.log")"
installed=0
! dpkg -s "$package_name" > /dev/null 2>&1 || fail "still installed after the removal"
for gone in /usr/bin/ztv-setup /usr/bin/ztv-tool /usr/lib/udev/rules.d/70-zeb-tervio-v4.rules; do
  [ ! -e "$gone" ] || fail "$gone is left after the removal"
done
echo "PASS: built, checked, installed, ran and removed in $((SECONDS - start)) s"
