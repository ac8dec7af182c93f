#!/usr/bin/env bash
# The Windows part of the tests: cross-builds the programs, their installer and their Qt-free test
# programs with MinGW-w64 (installing the toolchain and Wine when missing, and building Qt for
# Windows once per machine into its cache), runs the tests under Wine in a Wine prefix of their
# own, ztv-tool.exe end to end against the Linux build's ztv-tool, then ztv-setup.exe and the
# installer.
# Usage: test-windows.sh LINUX_BUILD_DIR. Ends with one line saying how it went; fails when any
# Windows test failed.
set -uo pipefail
cd "$(dirname "$0")/.."
LINUX_BUILD="$1"
BUILD=build-windows
started=$SECONDS
status=0
step() {
  "$@" || { status=1; echo "Windows part: failed: $*"; }
}
export ZTV_WINDOWS_BUILD=$BUILD
step bash scripts/build-windows.sh "$BUILD/dist"
if [ $status -eq 0 ]; then
  export WINEPREFIX="$PWD/$BUILD/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEPATH="/usr/lib/gcc/x86_64-w64-mingw32/12-posix;/usr/x86_64-w64-mingw32/lib"
  rm -rf "$WINEPREFIX"
  /usr/lib/wine/wine64 wineboot -i > /dev/null 2>&1
  step ctest --test-dir "$BUILD" --output-on-failure -j2 --timeout 300
  # What Windows cannot run is skipped with its reason, never dropped silently.
  grep -h -A1 ": Skipped$" "$BUILD/Testing/Temporary/LastTest.log" | grep -v "^--$" | paste - - \
    | sed 's/^/  skipped under Wine: /' || true
  step bash tests/windows/tool_test.sh "$LINUX_BUILD" "$BUILD" "$BUILD/tool-test"
  /usr/lib/wine/wineserver -k 2> /dev/null || true
  installer=$(ls "$BUILD"/ztv-setup-*-win64-setup.exe)
  step bash tests/windows/setup_test.sh "$BUILD" "$installer" "$BUILD/setup-test"
fi
elapsed=$((SECONDS - started))
if [ $status -eq 0 ]; then
  echo "Windows part: all passed in ${elapsed} s"
else
  echo "Windows part: FAILED after ${elapsed} s"
fi
exit $status
