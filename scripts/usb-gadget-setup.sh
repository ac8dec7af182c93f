#!/bin/sh
# Prepares (up) or removes (down) the configfs gadget and FunctionFS mount that
# ztv-usb-gadget serves. Needs root and the modules libcomposite and usb_f_fs, plus a USB
# device controller: a real one, or dummy_hcd, which connects the gadget to this machine's
# own USB host side.
#   usb-gadget-setup.sh up   [NAME]     then: ztv-usb-gadget --gadget $GADGET --ffs $FFS
#   usb-gadget-setup.sh down [NAME]
# NAME defaults to ztv; the gadget is /sys/kernel/config/usb_gadget/NAME and FunctionFS is
# mounted at /dev/ffs-NAME.
set -eu
action=${1:-}
name=${2:-ztv}
configfs=/sys/kernel/config
gadget=$configfs/usb_gadget/$name
ffs=/dev/ffs-$name

mounted() { grep -q " $1 " /proc/mounts; }

load() {
    # Loaded already (or built in) when its folder is there.
    [ -d "/sys/module/$1" ] || modprobe "$1"
}

case "$action" in
up)
    load libcomposite
    load usb_f_fs
    if [ ! -d /sys/class/udc ] || [ -z "$(ls /sys/class/udc)" ]; then
        load dummy_hcd
    fi
    mounted "$configfs" || mount -t configfs none "$configfs"
    mkdir -p "$gadget"
    # Vendor, product and strings are written by ztv-usb-gadget for the identity it shows.
    echo 0x0200 > "$gadget/bcdUSB"
    echo 0x0100 > "$gadget/bcdDevice"
    mkdir -p "$gadget/strings/0x409" "$gadget/configs/c.1/strings/0x409"
    echo "ZTV" > "$gadget/configs/c.1/strings/0x409/configuration"
    echo 100 > "$gadget/configs/c.1/MaxPower"
    mkdir -p "$gadget/functions/ffs.$name"
    [ -e "$gadget/configs/c.1/ffs.$name" ] || ln -s "$gadget/functions/ffs.$name" "$gadget/configs/c.1/"
    mkdir -p "$ffs"
    mounted "$ffs" || mount -t functionfs "$name" "$ffs"
    echo "GADGET=$gadget FFS=$ffs"
    ;;
down)
    [ -e "$gadget/UDC" ] && [ -n "$(cat "$gadget/UDC")" ] && echo "" > "$gadget/UDC"
    mounted "$ffs" && umount "$ffs"
    rm -f "$gadget/configs/c.1/ffs.$name"
    for d in "$gadget/functions/ffs.$name" "$gadget/configs/c.1/strings/0x409" "$gadget/configs/c.1" \
             "$gadget/strings/0x409" "$gadget"; do
        [ -d "$d" ] && rmdir "$d"
    done
    rmdir "$ffs" 2>/dev/null || true
    ;;
*)
    echo "usage: $0 up|down [NAME]" >&2
    exit 2
    ;;
esac
