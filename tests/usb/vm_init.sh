#!/bin/sh
# /init of the USB test machine: file systems, the USB modules, the cases, power off.
export PATH=/usr/bin:/bin:/sbin
export XDG_DATA_HOME=/tmp/data   # the automatic backups of restore and flash
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
mount -t tmpfs tmpfs /tmp
while read -r module; do
    insmod "/lib/modules/$module" || echo "insmod $module failed"
done < /lib/modules/load-order
vm_cases.sh
sync
poweroff -f
