#!/usr/bin/env bash
# Prepares what the Windows build needs and prints the folder it is in:
#  - Debian's MinGW-w64, Wine, NSIS, zip and Xvfb (installed once, from the machine's archive);
#  - Qt (qtbase only; not with --without-qt) and hidapi for 64-bit Windows, built once from
#    Debian's source packages into a cache outside the checkout ($ZTV_WINDOWS_CACHE, by default
#    /var/cache/ztv-windows) and reused by every later build.
# A lock per library keeps two builds of it from running at once; its folder counts only once its
# ".complete" mark is written, after its install, so a stopped build is never taken for a
# finished one (a stopped Qt build goes on where it stopped, hidapi starts again).
set -euo pipefail
WITH_QT=1
[ "${1:-}" = "--without-qt" ] && WITH_QT=0
HERE="$(cd "$(dirname "$0")" && pwd)"
TOOLCHAIN_FILE="$HERE/../cmake/mingw-w64-x86_64.cmake"
CACHE="${ZTV_WINDOWS_CACHE:-/var/cache/ztv-windows}"
JOBS="${ZTV_WINDOWS_JOBS:-2}"
export DEBIAN_FRONTEND=noninteractive
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

log() { echo "windows-toolchain: $*" >&2; }

install_packages() {
  local wanted=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                mingw-w64-x86-64-dev wine64 nsis zip unzip dpkg-dev ninja-build cmake xvfb xauth)
  local missing=()
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing ${missing[*]}"
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" > /dev/null
}

# Source packages come through a private list of deb-src entries made from the machine's own
# archives, so the machine's apt configuration stays as it is.
APT_DIR="$CACHE/apt"
apt_private() {
  apt-get -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$APT_DIR/sources.list.d" \
          -o Dir::State::Lists="$APT_DIR/lists" -o Dir::Cache="$APT_DIR/cache" "$@"
}
prepare_private_sources() {
  mkdir -p "$APT_DIR/sources.list.d" "$APT_DIR/lists/partial" "$APT_DIR/cache/archives/partial"
  rm -f "$APT_DIR/sources.list.d/"*
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    sed -E 's/^Types:.*/Types: deb-src/' "$f" > "$APT_DIR/sources.list.d/$(basename "$f")"
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -e "$f" ] || continue
    sed -nE 's/^deb[[:space:]]/deb-src /p' "$f" > "$APT_DIR/sources.list.d/$(basename "$f")"
  done
  apt_private update -qq
}

# fetch_source PACKAGE VERSION DEST: unpacks the source package into DEST (the exact version
# when the archive still has it, otherwise its newest).
fetch_source() {
  local pkg="$1" version="$2" dest="$3" work
  work="$(mktemp -d "$CACHE/src-$pkg.XXXXXX")"
  if ! (cd "$work" && apt_private source -qq "$pkg=$version" > /dev/null 2>&1); then
    log "$pkg $version is not in the archive any more; taking its newest source"
    (cd "$work" && apt_private source -qq "$pkg" > /dev/null)
  fi
  local tree
  tree="$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n1)"
  [ -n "$tree" ] || { log "no source tree for $pkg"; exit 1; }
  mv "$tree" "$dest"
  rm -rf "$work"
}

host_version() { dpkg-query -W -f='${Version}' "$1"; }

# build_and_install NAME WORK FINAL: builds WORK/build, installs it into FINAL and marks FINAL
# complete; the working folder goes only once the library is whole.
build_and_install() {
  local name="$1" work="$2" final="$3"
  cmake --build "$work/build" -j"$JOBS" > "$work/build.log" 2>&1 \
    || { log "$name build failed, see $work/build.log"; tail -n 30 "$work/build.log" >&2; exit 1; }
  cmake --install "$work/build" > "$work/install.log" 2>&1
  rm -rf "$work"
  touch "$final/.complete"
}

build_qt() {
  local version; version="$(host_version qt6-base-dev)"
  local final="$CACHE/qt-$version"
  [ -f "$final/.complete" ] && return 0
  log "building Qt $version for Windows into $final (about half an hour of two cores, once)"
  local work="$CACHE/qt-$version.building"
  rm -rf "$final"
  # A build that was stopped goes on where it stopped (ninja redoes any step left half done);
  # only one whose sources never arrived whole starts again.
  if [ ! -f "$work/src/.fetched" ]; then
    rm -rf "$work"
    mkdir -p "$work"
    fetch_source qt6-base "$version" "$work/src"
    touch "$work/src/.fetched"
  fi
  # Only qtbase's Core, Gui, Widgets and Network, with the windows and offscreen platform
  # plugins and the Windows styles. Debian's source leaves out the Wintab header (so no tablet
  # events), and without OpenGL the dynamic-GL switch does not build.
  cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_FILE" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$final" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_doubleconversion=OFF \
    -DFEATURE_sql=OFF -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_openssl=OFF -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_testlib=OFF \
    -DFEATURE_sql_sqlite=OFF -DFEATURE_glib=OFF -DFEATURE_icu=OFF \
    > "$work/configure.log" 2>&1 || { log "Qt configure failed, see $work/configure.log"; exit 1; }
  build_and_install Qt "$work" "$final"
}

build_hidapi() {
  local version; version="$(host_version libhidapi-dev)"
  local final="$CACHE/hidapi-$version"
  [ -f "$final/.complete" ] && return 0
  log "building hidapi $version for Windows into $final"
  local work="$CACHE/hidapi-$version.building"
  rm -rf "$work" "$final"
  mkdir -p "$work"
  fetch_source hidapi "$version" "$work/src"
  cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_FILE" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$final" -DBUILD_SHARED_LIBS=OFF \
    > "$work/configure.log" 2>&1 || { log "hidapi configure failed, see $work/configure.log"; exit 1; }
  build_and_install hidapi "$work" "$final"
}

# ready NAME BUILDER: builds a library unless its folder is complete, under a lock of its own, so
# that two builds never make the same library at once and a finished one is never waited for.
sources_ready=0
ready() {
  local final="$CACHE/$1"
  [ -f "$final/.complete" ] && return 0
  exec 9> "$CACHE/.$1.lock"
  if ! flock -n 9; then
    log "another build is making $1; waiting for it"
    flock 9
  fi
  if [ ! -f "$final/.complete" ]; then
    [ "$sources_ready" -eq 1 ] || { prepare_private_sources; sources_ready=1; }
    "$2"
  fi
  exec 9>&-
}

install_packages
mkdir -p "$CACHE"
ready "hidapi-$(host_version libhidapi-dev)" build_hidapi
echo "HIDAPI_DIR=$CACHE/hidapi-$(host_version libhidapi-dev)"
if [ "$WITH_QT" -eq 1 ]; then
  ready "qt-$(host_version qt6-base-dev)" build_qt
  echo "QT_DIR=$CACHE/qt-$(host_version qt6-base-dev)"
fi
