#!/usr/bin/env bash
# Builds the 32-bit test machine's disk: Debian 12 with its own kernel, 32-bit
# and 64-bit Wine, Xvfb and ctest, from Debian's packages only. The result is a
# raw ext4 image with the kernel and initrd beside it, kept until this file or
# the guest's start-up stub changes.
#   image.sh OUTDIR
set -euo pipefail
out=$1
here=$(cd "$(dirname "$0")" && pwd)
root="$out/root"

# The host's own Debian archive, or the one TARN_VM_MIRROR names.
mirror=${TARN_VM_MIRROR:-$("$here/apt_mirror")}
if [ -z "$mirror" ]; then
    echo "vm32: no Debian archive: the host's apt sources name none for bookworm; set TARN_VM_MIRROR" >&2
    exit 1
fi

# What the guest needs: a kernel that runs 32-bit programs, Wine for both
# bitnesses (services are 64-bit in a 64-bit prefix), the X libraries Wine
# loads at run time, a virtual display, screenshots, ctest, a signature checker and a
# watch on what the setup writes into a temporary folder.
packages="linux-image-amd64 initramfs-tools kmod procps wine wine32 wine64 xvfb xauth
x11-utils imagemagick fonts-wine fonts-liberation cmake osslsigncode inotify-tools"
x_libs="libxcomposite1 libxcursor1 libxfixes3 libxi6 libxinerama1 libxrandr2 libxrender1
libxxf86vm1"
for lib in $x_libs; do packages="$packages $lib $lib:i386"; done

cleanup() {
    umount "$root/proc" "$root/sys" "$root/dev/pts" "$root/dev" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# An interrupted build may have left the host's /dev mounted inside the old root:
# unmount first, and never let the removal cross into another file system.
cleanup
rm -rf --one-file-system "$root" "$out/disk.raw" "$out/vmlinuz" "$out/initrd.img"
mkdir -p "$root"
echo "vm32: debootstrap from $mirror"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$out/debootstrap.log" 2>&1 ||
    { tail -n 20 "$out/debootstrap.log"; exit 1; }

mount -t proc proc "$root/proc"
mount -t sysfs sys "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# No daemon starts inside the chroot.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"

echo "vm32: installing Wine and the kernel into the image"
chroot "$root" /bin/sh -ec "
    dpkg --add-architecture i386
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $(echo $packages)
    apt-get clean
" >"$out/packages.log" 2>&1 || { tail -n 30 "$out/packages.log"; exit 1; }
cleanup
rm -f "$root/usr/sbin/policy-rc.d"

install -m 755 "$here/guest/init" "$root/sbin/tarn-vm-init"
echo tarnvm >"$root/etc/hostname"
cp "$root"/boot/vmlinuz-* "$out/vmlinuz"
cp "$root"/boot/initrd.img-* "$out/initrd.img"

echo "vm32: writing the disk image"
mkfs.ext4 -q -F -L tarnvm -d "$root" "$out/disk.raw" 6G
rm -rf --one-file-system "$root"
