#!/usr/bin/env bash
# The real USB path, end to end, in a virtual machine: Debian's kernel boots in QEMU from a
# small busybox initramfs that holds this build's ztv-tool, ztv-usb-gadget and their shared
# libraries; the gadget serves the simulated controller on dummy_hcd and ztv-tool talks to
# it through usbhid, hidraw and hidapi. The cases (vm_cases.sh) print PASS/FAIL lines and
# "N passed, N failed".
#   run_vm.sh BUILD_DIR
# Exit: 0 all passed; 1 a case failed or the machine did not finish; 77 skipped because
# QEMU, the kernel or busybox is missing (the message says which).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
build=$(cd "${1:?usage: run_vm.sh BUILD_DIR}" && pwd)
kernel_dir=${ZTV_VM_KERNEL_DIR:-/opt/ztv-vm/kernel}
skip=77

skip_because() {
    echo "SKIPPED: $* (see scripts/install-deps.sh)"
    exit $skip
}

qemu=$(command -v qemu-system-x86_64 || true)
[ -n "$qemu" ] || skip_because "qemu-system-x86_64 is not installed"
busybox=$(command -v busybox || true)
[ -n "$busybox" ] || skip_because "busybox-static is not installed"
# The initramfs has no C library of its own for busybox: it must be the static build.
if ldd "$busybox" > /dev/null 2>&1; then skip_because "busybox is not the static build (busybox-static)"; fi
[ -f "$kernel_dir/vmlinuz" ] || skip_because "no unpacked kernel in $kernel_dir (scripts/vm-kernel.sh)"
version=$(ls "$kernel_dir/lib/modules" | head -n 1)
for tool in cpio modprobe strip; do
    command -v $tool > /dev/null || skip_because "$tool is not installed"
done
for binary in ztv-tool ztv-usb-gadget tests/usb/usb_vm_samples tests/usb/hidapi_probe; do
    [ -x "$build/$binary" ] || { echo "missing $build/$binary: build it first"; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
mkdir -p "$root"/{bin,sbin,proc,sys,dev,tmp,data,usr/bin,lib/modules}

# busybox and its applets
cp "$busybox" "$root/bin/busybox"
for applet in $("$busybox" --list); do
    [ -e "$root/bin/$applet" ] || ln -s busybox "$root/bin/$applet"
done

# The kernel modules in load order, dependencies first.
modules=$(for m in configfs dummy_hcd libcomposite usb_f_fs usbhid hid_generic; do
    modprobe -d "$kernel_dir" -S "$version" --show-depends "$m"
done | awk '$1 == "insmod" && !seen[$2]++ { print $2 }')
: > "$root/lib/modules/load-order"
for m in $modules; do
    cp "$m" "$root/lib/modules/"
    basename "$m" >> "$root/lib/modules/load-order"
done

# The CAN modules of the SocketCAN case, where this kernel has them (the case skips otherwise).
for m in vcan can_raw; do
    modprobe -d "$kernel_dir" -S "$version" --show-depends "$m" 2> /dev/null || true
done | awk '$1 == "insmod" && !seen[$2]++ { print $2 }' | while read -r m; do
    cp "$m" "$root/lib/modules/"
    basename "$m" >> "$root/lib/modules/load-order"
done

# The programs, without their debug information, and every shared library they load.
binaries="ztv-tool ztv-usb-gadget tests/usb/hidapi_probe"
[ -x "$build/bench/usb_exchange_bench" ] && binaries="$binaries bench/usb_exchange_bench"
[ -x "$build/bench/can_ingest_bench" ] && binaries="$binaries bench/can_ingest_bench"
for binary in $binaries; do
    strip --strip-debug -o "$root/usr/bin/$(basename "$binary")" "$build/$binary"
    ldd "$build/$binary" | awk '/=> \// { print $3 } /^\t\/[^ ]+ \(/ { print $1 }'
done | sort -u | while read -r lib; do
    mkdir -p "$root$(dirname "$lib")"
    cp -L "$lib" "$root$lib"
done
# can-utils' candump, cansend and canplayer for the SocketCAN case, where they are installed.
for t in candump cansend canplayer; do
    p=$(command -v $t || true)
    [ -n "$p" ] || continue
    cp "$p" "$root/usr/bin/$t"
    ldd "$p" | awk '/=> \// { print $3 } /^\t\/[^ ]+ \(/ { print $1 }' | while read -r lib; do
        mkdir -p "$root$(dirname "$lib")"
        cp -L "$lib" "$root$lib"
    done
done

"$build/tests/usb/usb_vm_samples" "$root/data"
cp "$here/vm_init.sh" "$root/init"
cp "$here/vm_cases.sh" "$root/bin/vm_cases.sh"
cp "$source_dir/scripts/usb-gadget-setup.sh" "$root/bin/usb-gadget-setup.sh"
chmod +x "$root/init" "$root/bin/vm_cases.sh" "$root/bin/usb-gadget-setup.sh"
(cd "$root" && find . | cpio -o -H newc --quiet) > "$work/initrd.cpio"

# KVM when it really runs a guest: a /dev/kvm that opens is not enough (nested set-ups can
# hang at the first instruction), so a kernel must print its first line within 10 s.
accel=tcg
cpu=max
if [ -r /dev/kvm ] && [ -w /dev/kvm ] &&
    timeout 10 "$qemu" -accel kvm -cpu host -m 256 -nodefaults -display none -no-reboot -serial stdio \
        -kernel "$kernel_dir/vmlinuz" -append "console=ttyS0 panic=-1 rdinit=/none" < /dev/null 2> /dev/null |
    grep -q -m 1 "Linux version"; then
    accel=kvm
    cpu=host
fi
echo "virtual machine: kernel $version, $accel, initramfs $(( $(stat -c %s "$work/initrd.cpio") / 1048576 )) MB"
start=$(date +%s)
set +e
timeout "${ZTV_VM_TIMEOUT:-600}" "$qemu" -accel "$accel" -accel tcg -cpu "$cpu" -m 1536 -smp 1 \
    -nodefaults -display none -no-reboot -serial stdio \
    -kernel "$kernel_dir/vmlinuz" -initrd "$work/initrd.cpio" \
    -append "console=ttyS0 ${ZTV_VM_KERNEL_ARGS:-quiet loglevel=3} panic=-1 rdinit=/init" < /dev/null | tee "$work/console.log"
qemu_status=${PIPESTATUS[0]}
set -e
echo "virtual machine: $(( $(date +%s) - start )) s"
result=$(tr -d '\r' < "$work/console.log" | grep -E '^[0-9]+ passed, [0-9]+ failed$' | tail -n 1 || true)
if [ -z "$result" ]; then
    echo "the virtual machine did not finish the cases (QEMU exit $qemu_status)"
    exit 1
fi
passed=${result%% passed*}
failed=${result#*, }
failed=${failed%% failed}
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
