#!/usr/bin/env bash
# Builds the programs for 64-bit Windows with Debian's MinGW-w64, against hidapi (and Qt) built
# once from Debian's sources into a cache outside the checkout (scripts/windows-toolchain.sh),
# and puts them with the MinGW runtime they need into OUTDIR (default: build-windows/dist).
#   ZTV_WINDOWS_BUILD  the build folder (default: build-windows)
#   ZTV_WINDOWS_GUI    OFF builds ztv-tool.exe alone, without Qt (default: ON, ztv-setup.exe too)
#   ZTV_WINDOWS_TESTS  OFF leaves the test programs out (default: ON)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD="${ZTV_WINDOWS_BUILD:-build-windows}"
OUT="${1:-$BUILD/dist}"
# Absolute from here on (relative ones count from the project folder): the compiler, the icon
# renderer and the installer compiler run in other folders.
BUILD="$(realpath -m "$BUILD")"
OUT="$(realpath -m "$OUT")"
GUI="${ZTV_WINDOWS_GUI:-ON}"
QT_DIR=""
if [ "$GUI" = "ON" ]; then
  eval "$(scripts/windows-toolchain.sh)"
else
  eval "$(scripts/windows-toolchain.sh --without-qt)"
fi
# The icon, drawn from the project's SVG by the same small host program the Linux icons come from;
# the Windows Qt has no SVG icon engine, so that program draws the toolbar's pictures too.
mkdir -p "$BUILD/icon"
renderer="$BUILD/icon/render-icon"
if [ ! -x "$renderer" ] || [ packaging/render_icon.cpp -nt "$renderer" ]; then
  # shellcheck disable=SC2046  # pkg-config prints several words on purpose
  g++ -std=c++17 -O1 -fPIC packaging/render_icon.cpp -o "$renderer" $(pkg-config --cflags --libs Qt6Gui Qt6Svg)
fi
icon="$BUILD/icon/ztv-setup.ico"
if [ ! -f "$icon" ] || [ packaging/ztv-setup.svg -nt "$icon" ]; then
  g++ -std=c++17 -O1 packaging/windows/png_to_ico.cpp -o "$BUILD/icon/png-to-ico"
  sizes=(16 24 32 48 64 128 256)
  "$renderer" packaging/ztv-setup.svg "$BUILD/icon" "${sizes[@]}"
  pngs=()
  for size in "${sizes[@]}"; do pngs+=("$BUILD/icon/${size}x${size}/apps/ztv-setup.png"); done
  "$BUILD/icon/png-to-ico" "$icon.new" "${pngs[@]}"
  mv "$icon.new" "$icon"
fi

options=(-DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release
         -DZTV_BUILD_GUI="$GUI" -DZTV_BUILD_BENCH=OFF -DZTV_BUILD_TESTS="${ZTV_WINDOWS_TESTS:-ON}"
         -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/lib/wine/wine64 -DZTV_WINDOWS_ICON="$icon"
         -DZTV_ICON_RENDERER="$renderer"
         "-DCMAKE_FIND_ROOT_PATH=$HIDAPI_DIR${QT_DIR:+;$QT_DIR}" "-DCMAKE_PREFIX_PATH=$HIDAPI_DIR${QT_DIR:+;$QT_DIR}")
if [ -n "$QT_DIR" ]; then
  options+=(-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
fi
if command -v ccache > /dev/null; then
  options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$BUILD" -G Ninja "${options[@]}" > "$BUILD/configure.log" 2>&1 \
  || { cat "$BUILD/configure.log"; exit 1; }
cmake --build "$BUILD" -j"${ZTV_WINDOWS_JOBS:-2}"

# The programs and the MinGW runtime they are linked against.
rm -rf "$OUT"
mkdir -p "$OUT"
cp "$BUILD/ztv-tool.exe" "$OUT/"
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  cp "$(x86_64-w64-mingw32-g++-posix -print-file-name="$dll")" "$OUT/"
done
# Debian's MinGW runtime carries its debugging symbols (libstdc++ alone is 23 MB with them).
x86_64-w64-mingw32-strip --strip-unneeded "$OUT"/*.dll "$OUT"/*.exe
# The window program with the Qt libraries and plugins it loads, and Qt's own Russian texts
# (the standard buttons and dialogs), which the program looks for in translations/ beside it.
if [ -n "$QT_DIR" ]; then
  cp "$BUILD/ztv-setup.exe" "$OUT/"
  for lib in Core Gui Widgets Network; do cp "$QT_DIR/bin/Qt6$lib.dll" "$OUT/"; done
  mkdir -p "$OUT/platforms" "$OUT/styles" "$OUT/translations"
  cp "$QT_DIR/plugins/platforms/qwindows.dll" "$QT_DIR/plugins/platforms/qoffscreen.dll" "$OUT/platforms/"
  cp "$QT_DIR"/plugins/styles/*.dll "$OUT/styles/"
  cp /usr/share/qt6/translations/qtbase_ru.qm "$OUT/translations/"
  # Qt finds its plugins beside the program, not in the folder it was built for.
  printf '[Paths]\nPrefix = .\nPlugins = .\n' > "$OUT/qt.conf"
fi
echo "Windows programs in $OUT"

# The installer and the portable zip, beside OUT.
if [ -n "$QT_DIR" ]; then
  version=$(sed -n 's/^project(ztv_setup VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
  files="$BUILD/installer-files.nsh"
  (cd "$OUT" && find . -type f | sort | sed 's|^\./||') | while read -r file; do
    folder=$(dirname "$file")
    printf '!insertmacro ${ITEM} "%s" "%s"\n' "${folder//\//\\}" "$(basename "$file")"
  done > "$files"
  packages="$(dirname "$OUT")"
  installer="$packages/ztv-setup-$version-win64-setup.exe"
  makensis -V2 -DVERSION="$version" -DDIST="$OUT" -DFILES="$files" -DICON="$icon" \
    -DOUTFILE="$installer" packaging/windows/installer.nsi
  zip_name="ztv-setup-$version-win64"
  rm -rf "${BUILD:?}/$zip_name" "$packages/$zip_name.zip"
  cp -r "$OUT" "$BUILD/$zip_name"
  (cd "$BUILD" && zip -qr9 "$zip_name.zip" "$zip_name")
  [ "$BUILD" = "$packages" ] || mv "$BUILD/$zip_name.zip" "$packages/"
  rm -rf "${BUILD:?}/$zip_name"
  echo "Installer: $installer ($(du -k "$installer" | cut -f1) KiB)"
  echo "Portable zip: $packages/$zip_name.zip ($(du -k "$packages/$zip_name.zip" | cut -f1) KiB)"
fi
