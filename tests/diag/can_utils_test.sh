#!/bin/sh
# The Linux can-utils against our CAN frames.
#   can_utils_test.sh ZTV_TOOL log2asc   log2asc converts our candump log, every frame an Rx line
#   can_utils_test.sh ZTV_TOOL vcan      canplayer plays the log onto a vcan interface and the
#                                        SocketCAN bridge sends the same frames; candump hears
#                                        both, every frame in order
# Exit 77 (skipped) where the tools are missing or the machine gives no vcan interface.
set -u
tool=$1
mode=$2
work=$(mktemp -d)
iface=
listener=
cleanup() {
    [ -n "$listener" ] && kill "$listener" 2> /dev/null
    [ -n "$iface" ] && ip link del dev "$iface" 2> /dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Standard and extended identifiers, no data and eight bytes, in our replay format.
cat > "$work/bus.txt" << 'FRAMES'
1000 S 123 2 01 02
1010 X 18DA00F1 0
1020 S 7FF 8 00 11 22 33 44 55 66 77
1030 X 00000001 1 AB
1040 S 000 0
FRAMES
"$tool" canlog "$work/bus.log" --format candump --simulate --sim-can "$work/bus.txt" --seconds 1 > /dev/null ||
    fail "ztv-tool could not write the candump log"
frames=$(cut -d' ' -f3 "$work/bus.log")
[ "$(echo "$frames" | tr '\n' ' ')" = "123#0102 18DA00F1# 7FF#0011223344556677 00000001#AB 000# " ] ||
    fail "unexpected log: $(cat "$work/bus.log")"

case $mode in
log2asc)
    command -v log2asc > /dev/null || { echo "SKIPPED: log2asc is not installed (can-utils)"; exit 77; }
    log2asc -I "$work/bus.log" ztv0 > "$work/bus.asc" 2> "$work/err" || fail "log2asc refused it: $(cat "$work/err")"
    # log2asc prints "TIME CHANNEL ID[x] Rx d DLC BYTES" for every frame it accepted.
    rx=$(grep ' Rx ' "$work/bus.asc" | awk '{ printf "%s %s %s|", $3, $6, $7 }')
    [ "$rx" = "123 2 01|18DA00F1x 0 |7FF 8 00|1x 1 AB|0 0 |" ] || fail "log2asc output: $(cat "$work/bus.asc")"
    # Stamped with the time of day, the log is dated today, not on the first of January 1970.
    [ "$(sed -n 's/^date .* \([0-9]\{4\}\)$/\1/p' "$work/bus.asc")" = "$(date +%Y)" ] ||
        fail "log2asc dates the log: $(grep '^date' "$work/bus.asc")"
    echo "log2asc accepted all 5 frames, dated today"
    ;;
vcan)
    for t in canplayer candump cansend ip; do
        command -v $t > /dev/null || { echo "SKIPPED: $t is not installed"; exit 77; }
    done
    iface=ztvcan$$
    iface=$(echo "$iface" | cut -c1-15)
    if ! ip link add dev "$iface" type vcan 2> /dev/null; then
        iface=
        echo "SKIPPED: this machine gives no vcan interface (no module or no privileges)"
        exit 77
    fi
    ip link set "$iface" up || fail "cannot bring $iface up"
    candump -L "$iface" > "$work/dump" &
    listener=$!
    # candump listens once a probe frame shows in its output (bounded wait).
    i=0
    while ! grep -q '7FE#BEEF' "$work/dump"; do
        [ $i -lt 100 ] || fail "candump heard nothing on $iface"
        cansend "$iface" 7FE#BEEF
        sleep 0.1
        i=$((i + 1))
    done
    heard() { grep -v '7FE#BEEF' "$work/dump" | cut -d' ' -f3; }
    canplayer -I "$work/bus.log" "$iface=ztv0" || fail "canplayer refused the log"
    "$tool" canlog --socketcan "$iface" --simulate --sim-can "$work/bus.txt" --seconds 1 > /dev/null 2> "$work/err" ||
        fail "the bridge failed: $(cat "$work/err")"
    want=$(printf '%s\n%s\n' "$frames" "$frames")
    i=0
    while [ "$(heard)" != "$want" ]; do
        [ $i -lt 50 ] || fail "candump heard: $(heard | tr '\n' ' ')"
        sleep 0.1
        i=$((i + 1))
    done
    echo "canplayer and the bridge each sent all 5 frames, in order"
    ;;
*) fail "unknown mode $mode" ;;
esac
