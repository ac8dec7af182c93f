#!/usr/bin/env bash
# ztv-setup.exe and its installer under Wine: the window drawn in both languages, the installer
# installed and removed silently in a fresh Wine prefix whose user is Cyrillic, the *.ZTV file type
# registered and gone again, and nothing of it left behind but the user's own files.
# Usage: setup_test.sh WINDOWS_BUILD_DIR INSTALLER WORK_DIR
set -uo pipefail
BUILD=$(realpath "$1") INSTALLER=$(realpath "$2") WORK=$(realpath -m "$3")
SAMPLE="$(dirname "$0")/../../samples/demo.ZTV"
WINE=${ZTV_WINE:-/usr/lib/wine/wine64}
WINESERVER=${ZTV_WINESERVER:-/usr/lib/wine/wineserver}
rm -rf "$WORK"
mkdir -p "$WORK"
export WINEPREFIX="$WORK/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export USER="Иван"
# One virtual display for everything here, the prefix made on it: under Wine the first window a
# prefix draws on a display it has not met gets no native window and can then never be closed.
display=77
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2> /dev/null' EXIT
export DISPLAY=":$display"
"$WINE" wineboot -i > /dev/null 2>&1
"$WINESERVER" -w
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# The window, from the portable folder, drawn by Qt's own Windows platform plugin, as a user
# would see it. Bounded, so that a hang fails this test instead of stalling the run.
for lang in ru en; do
  picture="$WORK/ztv-setup-$lang.png"
  QT_QPA_PLATFORM=windows timeout 300 "$WINE" "$BUILD/dist/ztv-setup.exe" --simulate --lang $lang --screenshot "$(winpath "$picture")" \
    > "$WORK/screenshot-$lang.log" 2>&1 || fail "screenshot in $lang"
  [ -s "$picture" ] || fail "no picture in $lang: $(head -c 300 "$WORK/screenshot-$lang.log")"
done
"$WINESERVER" -w

# The installer, silently, then the uninstaller, silently (it copies itself away first, so the
# prefix's processes are waited for).
before=$(cd "$WINEPREFIX/drive_c" && find . | sort)
"$WINE" "$INSTALLER" /S
"$WINESERVER" -w
installed="$WINEPREFIX/drive_c/Program Files/ZEB TERVIO Setup"
for file in ztv-setup.exe ztv-tool.exe Qt6Widgets.dll platforms/qwindows.dll uninstall.exe; do
  [ -f "$installed/$file" ] || fail "not installed: $file"
done
"$WINE" reg query 'HKLM\Software\Classes\.ZTV' 2> /dev/null | grep -q ZEB.TERVIO.Configuration || fail "no file type"
"$WINE" reg query 'HKLM\Software\Classes\ZEB.TERVIO.Configuration\shell\open\command' 2> /dev/null \
  | grep -q 'ztv-setup.exe" "%1"' || fail "the file type does not open ztv-setup"
"$WINE" "$installed/ztv-tool.exe" --version | grep -q '^ztv-tool ' || fail "the installed ztv-tool does not run"

# The installed program as a user meets it.
listing() { (cd "$installed" && find . | sort); }
installed_files=$(listing)
profile="$WINEPREFIX/drive_c/users/Иван"
backups="$profile/AppData/Local/zeb-tervio/backups"
# Two copies started at once: one draws its picture, the other says that one runs and ends with 1
# (the first stays ten seconds, far longer than a slow start of the second takes).
for copy in a b; do
  (QT_QPA_PLATFORM=windows timeout 300 "$WINE" "$installed/ztv-setup.exe" --simulate --after 10000 \
     --screenshot "$(winpath "$WORK/copy-$copy.png")" > "$WORK/copy-$copy.log" 2>&1; echo $? > "$WORK/copy-$copy.status") &
done
wait_for() {  # wait_for SECONDS TEST...: true once TEST holds, false if it never did in time
  local limit=$1; shift
  for _ in $(seq $((limit * 10))); do "$@" && return 0; sleep 0.1; done
  return 1
}
wait_for 300 test -s "$WORK/copy-a.status" -a -s "$WORK/copy-b.status" || fail "two copies at once did not end"
statuses=$(cat "$WORK/copy-a.status" "$WORK/copy-b.status" | sort | tr '\n' ' ')
pictures=$(ls "$WORK"/copy-?.png 2> /dev/null | wc -l)
[ "$statuses" = "0 1 " ] && [ "$pictures" -eq 1 ] \
  || fail "two copies at once: exit statuses $statuses and $pictures picture(s), not 0 1 and one"
grep -q "already running" "$WORK"/copy-?.log || fail "the second copy did not say that one runs"

# A configuration with a Cyrillic name opened from the file type while a copy runs: that copy gets
# it and writes it to its (simulated) controller, after backing the controller up.
"$WINESERVER" -w
rm -rf "$profile"/Temp/ZEBTV_ZORA4-*  # the lock file stays after a run; a new one marks the next copy
mkdir -p "$profile/Documents"
cp "$SAMPLE" "$profile/Documents/Конфиг клиента.ZTV"
(QT_QPA_PLATFORM=windows timeout 300 "$WINE" "$installed/ztv-setup.exe" --simulate --after 20000 \
   --screenshot "$(winpath "$WORK/handed-over.png")" > "$WORK/handed-over.log" 2>&1) &
running=$!
# Opened as soon as the running copy holds its lock, before its window is up and listens: the
# second copy waits for it, as it must when a file manager starts two copies together.
wait_for 120 bash -c 'ls "$1"/drive_c/users/Иван/Temp/ZEBTV_ZORA4-*/*.lock > /dev/null 2>&1' _ "$WINEPREFIX" \
  || fail "the first copy never started"
QT_QPA_PLATFORM=windows timeout 120 "$WINE" start /wait /unix "$profile/Documents/Конфиг клиента.ZTV" > "$WORK/open.log" 2>&1
wait_for 60 bash -c 'ls "$1"/*.ZTV > /dev/null 2>&1' _ "$backups" \
  || fail "the file opened from the file type did not reach the running copy: $(cat "$WORK/open.log")"
wait "$running" || fail "the copy that got the file ended with an error: $(cat "$WORK/handed-over.log")"
[ -s "$WORK/handed-over.png" ] || fail "no picture from the copy that got the file"
# Nothing is ever written beside the installed program (Program Files is read-only to users).
[ "$(listing)" = "$installed_files" ] || fail "written into the install folder: $(comm -13 <(echo "$installed_files") <(listing))"
"$WINESERVER" -w
rm -rf "$profile/AppData/Local/zeb-tervio"

# The user's settings and backups are theirs: the uninstaller leaves them.
settings="$WINEPREFIX/drive_c/users/Иван/AppData/Roaming/zeb-tervio"
mkdir -p "$settings" && echo "[Main]" > "$settings/ztv-setup.ini"
"$WINE" "$installed/uninstall.exe" /S
"$WINESERVER" -w
[ -e "$installed" ] && fail "left behind: $(find "$installed" | head -n 5)"
"$WINE" reg query 'HKLM\Software\Classes\.ZTV' > /dev/null 2>&1 && fail "the file type stayed"
[ -f "$settings/ztv-setup.ini" ] || fail "the uninstaller removed the user's settings"
rm -rf "$settings"
rmdir "$(dirname "$settings")" 2> /dev/null
after=$(cd "$WINEPREFIX/drive_c" && find . | sort)
left=$(comm -13 <(echo "$before") <(echo "$after") | grep -v -e '^./windows/' -e '/Temp/' -e '^./users/Иван/AppData/Roaming$' || true)
[ -z "$left" ] || fail "left behind: $left"

if [ $failures -ne 0 ]; then
  echo "ztv-setup.exe and its installer under Wine: $failures failure(s)"
  exit 1
fi
echo "ztv-setup.exe and its installer under Wine: pictures in both languages, installed and removed cleanly"
