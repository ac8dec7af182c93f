#!/usr/bin/env bash
# Tab completion reads the programs' --help: this runs it against the built programs, so a
# change of the help's layout that would leave completion blind fails here.
# Usage: completion_test.sh ZTV_TOOL [ZTV_SETUP]
set -uo pipefail  # no -e: completion runs in interactive shells, where a false test is no error
source "$(dirname "$0")/../../packaging/ztv.bash-completion"
programs=()
for program in "$@"; do programs+=("$(realpath "$program")"); done
set -- "${programs[@]}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
touch car.ZTV other.ztv firmware.LDR bus.log notes.txt
mkdir folder
failed=0
# expect "WANTED WORDS" PROGRAM WORD... : completes the last word and compares the sorted offers.
expect() {
    local wanted=$1
    shift
    COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMPREPLY=()
    if [[ $1 == *ztv-setup ]]; then _ztv_setup; else _ztv_tool; fi
    local got
    got=$( ((${#COMPREPLY[@]})) && printf '%s\n' "${COMPREPLY[@]}" | sort -u | tr '\n' ' ')
    if [[ "${got% }" != "$wanted" ]]; then
        echo "FAIL: ${*:2} -> '$got', wanted '$wanted'"
        failed=1
    fi
}
tool=$1
expect "decode-debug describe diff dump" "$tool" d
expect "restore" "$tool" help res
expect "car.ZTV folder other.ztv" "$tool" --lang ru describe ""
expect "en ru" "$tool" describe car.ZTV --lang ""
expect "firmware.LDR folder" "$tool" flash ""
expect "--yes" "$tool" flash firmware.LDR --y
expect "bus.log folder" "$tool" canlog ""
expect "all changed" "$tool" canlog bus.log --mode ""
expect "" "$tool" convert car.ZTV other.ztv ""
if [[ $# -ge 2 ]]; then
    expect "car.ZTV folder other.ztv" "$2" --simulate ""
    expect "canlog parameters terminal" "$2" --page ""
    expect "bus.log car.ZTV firmware.LDR folder notes.txt other.ztv" "$2" --screenshot ""
fi
[[ $failed -eq 0 ]] && echo "PASS"
exit $failed
