#!/usr/bin/env bash
# ztv-setup.exe and its installer under Wine: the window drawn in both languages, the installer
# installed and removed silently in a fresh Wine prefix whose user is Cyrillic, the *.ZTV file type
# registered and gone again, and nothing of it left behind but the user's own files.
# Usage: setup_test.sh WINDOWS_BUILD_DIR INSTALLER WORK_DIR
set -uo pipefail
BUILD=$(realpath "$1") INSTALLER=$(realpath "$2") WORK=$(realpath -m "$3")
WINE=${ZTV_WINE:-/usr/lib/wine/wine64}
WINESERVER=${ZTV_WINESERVER:-/usr/lib/wine/wineserver}
rm -rf "$WORK"
mkdir -p "$WORK"
export WINEPREFIX="$WORK/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export USER="Иван"
"$WINE" wineboot -i > /dev/null 2>&1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# The window, from the portable folder, on Qt's offscreen platform (Wine has no display here).
for lang in ru en; do
  picture="$WORK/ztv-setup-$lang.png"
  QT_QPA_PLATFORM=offscreen "$WINE" "$BUILD/dist/ztv-setup.exe" --simulate --lang $lang \
    --screenshot "$(winpath "$picture")" > "$WORK/screenshot-$lang.log" 2>&1 || fail "screenshot in $lang"
  [ -s "$picture" ] || fail "no picture in $lang: $(head -c 300 "$WORK/screenshot-$lang.log")"
done

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
