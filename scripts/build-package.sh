#!/usr/bin/env bash
# Builds the Debian package zeb-tervio-setup_VERSION_ARCH.deb into OUTDIR (the current folder
# by default) from a Release build with Debian's hardening flags, and prints the package's path.
# ZTV_PACKAGE_BUILD_DIR chooses the build folder (build-package in the source by default);
# ZTV_HOMEPAGE_URL, ZTV_SCREENSHOT_URL and ZTV_MAINTAINER, which a release sets, go to the
# build settings of the same names (README, "Installing").
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-.}")
build=$(realpath -m "${ZTV_PACKAGE_BUILD_DIR:-$src/build-package}")
mkdir -p "$out"
cd "$src"  # the flags map the paths of this folder that the programs hold to "."

# Debian's compiler and linker flags (stack protector, fortified functions, read-only
# relocations, immediate binding, PIE) without -g: the package strips debugging data anyway.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { dpkg-buildflags --get "$1" | sed 's/\(^\| \)-g\( \|$\)/ /g'; }
launcher=()
if command -v ccache > /dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DZTV_SANITIZE=OFF -DZTV_BUILD_TESTS=OFF -DZTV_BUILD_BENCH=OFF -DZTV_BUILD_FUZZ=OFF \
  -DZTV_HOMEPAGE_URL="${ZTV_HOMEPAGE_URL:-}" -DZTV_SCREENSHOT_URL="${ZTV_SCREENSHOT_URL:-}" \
  -DZTV_MAINTAINER="${ZTV_MAINTAINER:-}" \
  -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" \
  "${launcher[@]}" > /dev/null
cmake --build "$build" -j"${ZTV_JOBS:-2}" > /dev/null
rm -f "$build"/cpack/*.deb
(cd "$build" && cpack -G DEB -B "$build/cpack" > /dev/null)
package=$(find "$build/cpack" -maxdepth 1 -name '*.deb' | head -n 1)
if [ -z "$package" ]; then
  echo "build-package: cpack made no package" >&2
  exit 1
fi
mv -f "$package" "$out/"
echo "$out/$(basename "$package")"
