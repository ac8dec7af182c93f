#!/usr/bin/env bash
# Unpacks Debian's own kernel (the package linux-image-amd64 points to) for the USB
# virtual-machine test, without installing it on this machine: apt-get download, dpkg -x, and
# a module index for the unpacked tree. Prints the folder (ZTV_VM_KERNEL_DIR, default
# /opt/ztv-vm/kernel), which holds vmlinuz and lib/modules/VERSION.
set -euo pipefail
dest=${ZTV_VM_KERNEL_DIR:-/opt/ztv-vm/kernel}
package=$(apt-cache depends linux-image-amd64 | awk '/Depends: linux-image-[0-9]/ { print $2; exit }')
if [ -z "$package" ]; then
    echo "vm-kernel: apt knows no linux-image-amd64 (run apt-get update)" >&2
    exit 1
fi
version=${package#linux-image-}
if [ -f "$dest/vmlinuz" ] && [ -f "$dest/lib/modules/$version/modules.dep" ]; then
    echo "$dest"
    exit 0
fi
work=$(mktemp -d)
chmod 755 "$work"  # apt downloads as its own user
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get download -qq "$package" > /dev/null)
mkdir -p "$work/root"
dpkg -x "$work"/linux-image-*.deb "$work/root"
depmod -b "$work/root" "$version"
cp "$work/root/boot/vmlinuz-$version" "$work/root/vmlinuz"
rm -rf "$dest.new"
mkdir -p "$(dirname "$dest")"
mv "$work/root" "$dest.new"
rm -rf "$dest"
mv "$dest.new" "$dest"
echo "$dest"
