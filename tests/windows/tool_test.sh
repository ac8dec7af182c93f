#!/usr/bin/env bash
# ztv-tool.exe under Wine, end to end, against the Linux build's ztv-tool: the same bytes for the
# same commands, files and folders with Cyrillic names, a user whose profile folder is Cyrillic,
# binary standard streams, and the automatic backups in that user's local application data.
# Usage: tool_test.sh LINUX_BUILD_DIR WINDOWS_BUILD_DIR WORK_DIR
set -uo pipefail
LINUX_BUILD=$(realpath "$1") WINDOWS_BUILD=$(realpath "$2") WORK=$(realpath -m "$3")
WINE=${ZTV_WINE:-/usr/lib/wine/wine64}
LINUX_TOOL="$LINUX_BUILD/ztv-tool"
WINDOWS_TOOL="$WINDOWS_BUILD/ztv-tool.exe"
rm -rf "$WORK"
mkdir -p "$WORK"
export WINEPREFIX="$WORK/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPATH="${WINEPATH:-/usr/lib/gcc/x86_64-w64-mingw32/12-posix;/usr/x86_64-w64-mingw32/lib}"
# Wine names the profile folder after the user: C:\users\Иван.
export USER="Иван"
"$WINE" wineboot -i > /dev/null 2>&1

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
win() { "$WINE" "$WINDOWS_TOOL" "$@"; }
# The Windows name of a file of this machine (Wine's drive Z: is the root).
winpath() { printf 'Z:%s' "${1//\//\\}"; }
# same NAME LINUX_ARGS... -- WINDOWS_ARGS...: both print the same bytes and end the same way.
same() {
  local name=$1; shift
  local linux_args=() windows_args=()
  while [ "$1" != "--" ]; do linux_args+=("$1"); shift; done
  shift
  windows_args=("$@")
  local l_status=0 w_status=0
  "$LINUX_TOOL" "${linux_args[@]}" > "$WORK/$name.linux" 2>&1 || l_status=$?
  win "${windows_args[@]}" > "$WORK/$name.windows" 2>&1 || w_status=$?
  if ! cmp -s "$WORK/$name.linux" "$WORK/$name.windows" || [ "$l_status" != "$w_status" ]; then
    fail "$name: Linux ($l_status) and Windows ($w_status) differ"
    diff "$WORK/$name.linux" "$WORK/$name.windows" | head -n 5
  fi
}

"$LINUX_BUILD/samples/ztv-make-demo" "$WORK/demo.ZTV" > /dev/null
folder="$WORK/папка с копиями"
mkdir -p "$folder"
cp "$WORK/demo.ZTV" "$folder/Конфиг.ZTV"
cyrillic=$(winpath "$folder/Конфиг.ZTV")

for lang in en ru; do
  same "describe-$lang" describe "$WORK/demo.ZTV" --lang $lang -- describe "$cyrillic" --lang $lang
  same "show-$lang" show "$WORK/demo.ZTV" --lang $lang -- show "$cyrillic" --lang $lang
done
same dump dump "$WORK/demo.ZTV" -- dump "$cyrillic"
same get get "$WORK/demo.ZTV" ENC0MODE LONG_PRESS_MS NAME1 -- get "$cyrillic" ENC0MODE LONG_PRESS_MS NAME1
# A relative name, which both print back as given.
cd "$WORK"
same missing describe "нет такого.ZTV" -- describe "нет такого.ZTV"
cd - > /dev/null

# Saving under a Cyrillic name: the very name, the same bytes, nothing else left in the folder.
"$LINUX_TOOL" convert "$WORK/demo.ZTV" "$WORK/linux-copy.ZTV" > /dev/null
win convert "$cyrillic" "$(winpath "$folder/копия.ZTV")" > /dev/null || fail "convert to a Cyrillic name"
cmp -s "$WORK/linux-copy.ZTV" "$folder/копия.ZTV" || fail "the converted file differs from the Linux one"
win set "$(winpath "$folder/копия.ZTV")" LONG_PRESS_MS=1200 > /dev/null || fail "set on a Cyrillic name"
[ "$("$LINUX_TOOL" get "$folder/копия.ZTV" LONG_PRESS_MS)" = "LONG_PRESS_MS=1200" ] || fail "set did not save"
[ "$(ls -A "$folder" | wc -l)" -eq 2 ] || fail "stray files beside the saved ones: $(ls -A "$folder")"

# Standard streams carry bytes: a 0x1A byte does not end the input, no carriage return is added.
printf 'before\x1a after\r\n>E 12 34\nlast' > "$WORK/debug.in"
"$LINUX_TOOL" decode-debug < "$WORK/debug.in" > "$WORK/debug.linux"
win decode-debug < "$WORK/debug.in" > "$WORK/debug.windows"
cmp -s "$WORK/debug.linux" "$WORK/debug.windows" || fail "decode-debug reads or writes differently"
grep -q after "$WORK/debug.windows" || fail "decode-debug stopped at the 0x1A byte"

# Backups of a controller go to the Cyrillic user's local application data, each under a name
# of its own.
state=$(winpath "$WORK/sim.ini")
for _ in 1 2; do
  win restore "$cyrillic" --simulate --sim-state "$state" > /dev/null 2>&1 || fail "restore"
done
backups="$WINEPREFIX/drive_c/users/Иван/AppData/Local/zeb-tervio/backups"
[ "$(find "$backups" -name '*.ZTV' 2> /dev/null | wc -l)" -eq 2 ] || fail "two backups expected in $backups"
[ "$(win backups | wc -l)" -eq 2 ] || fail "backups does not list both"
newest=$(win backups | head -n 1 | cut -f 1)
case "$newest" in 'C:\users\Иван\AppData\Local\zeb-tervio\backups\'*) ;; *) fail "backup path $newest";; esac
# (Slot names live in files only; the parameters are what the controller held.)
[ "$(win get "$newest" LONG_PRESS_MS ENC0MODE)" = "$(win get "$cyrillic" LONG_PRESS_MS ENC0MODE)" ] \
  || fail "the backup does not hold what was restored"

# A path longer than Windows' old 260-character limit: read like any other, or refused with a
# reason, never a crash.
long="$WORK"
while [ ${#long} -lt 300 ]; do long="$long/очень-длинная-папка"; done
mkdir -p "$long"
cp "$WORK/demo.ZTV" "$long/демо.ZTV"
status=0
win describe "$(winpath "$long/демо.ZTV")" > "$WORK/long.out" 2>&1 || status=$?
if [ $status -ne 0 ] && [ $status -ne 1 ]; then fail "a long path ended with status $status"; fi
echo "long path (${#long} characters): status $status"

if [ $failures -ne 0 ]; then
  echo "ztv-tool.exe under Wine: $failures failure(s)"
  exit 1
fi
echo "ztv-tool.exe under Wine: same output as Linux; Cyrillic names, profile and backups work"
