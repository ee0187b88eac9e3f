#!/usr/bin/env bash
# Makes, once per machine, the small virtual machine that runs Wine where this machine's kernel refuses
# 32-bit programs: Debian's own kernel (which runs them), a start-up image that mounts the disk and the
# shared folders, and a Debian root disk holding Wine and what the tests need (scripts/packages.sh).
# Kept outside the clone, keyed by this script, the guest's start-up scripts and the package list.
# Needs root. Prints the image's folder on its last line.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
source "$TAVRIN_ROOT/scripts/packages.sh"
source "$TAVRIN_ROOT/scripts/apt.sh"

key="$(cat "${BASH_SOURCE[0]}" "$TAVRIN_ROOT/scripts/packages.sh" "$TAVRIN_ROOT"/scripts/guest/* | sha256sum | cut -c1-16)"
cache_root="${TAVRIN_GUEST_CACHE:-/var/cache/tavrin-guest}"
image="$cache_root/$key"
if [ -f "$image/.complete" ]; then
    echo "$image"
    exit 0
fi
if [ "$(id -u)" != 0 ]; then
    echo "guest-image: making the virtual machine's image needs root (once per machine)" >&2
    exit 1
fi

# Two first runs at once: one makes the image, the other waits for it.
mkdir -p "$cache_root"
exec 9>"$cache_root/.lock"
flock 9
if [ -f "$image/.complete" ]; then
    echo "$image"
    exit 0
fi
work="$image.new"
rm -rf "$work"
mkdir -p "$work"
log="$work/make.log"
echo "guest-image: making the virtual machine's image in $image" >&2
trap 'echo "guest-image: failed; the end of $log:" >&2; tail -n 30 "$log" >&2' ERR

# The mirror the machine's own packages come from.
mirror="$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1)"
[ -n "$mirror" ] || mirror="$(awk '$1 == "deb" && $2 !~ /^\[/ { print $2; exit }' /etc/apt/sources.list 2>/dev/null)"
[ -n "$mirror" ] || mirror=http://deb.debian.org/debian
release="$(. /etc/os-release && echo "$VERSION_CODENAME")"

# Package lists whatever state the mirror is in (scripts/apt.sh), with apt's words kept in the log.
update_lists() { # [chroot folder]
    tavrin_apt_update "$@"
    cat "$tavrin_apt_dir/update.log" >>"$log"
}

# The kernel, and the modules the start-up image loads, in the order of their dependencies.
update_lists
kernel_package="$(apt-cache "${tavrin_apt_options[@]}" depends linux-image-amd64 | awk '/Depends: linux-image-/ { print $2; exit }')"
(cd "$work" && apt-get "${tavrin_apt_options[@]}" download -q "$kernel_package" >>"$log" 2>&1)
tavrin_apt_done
dpkg-deb -x "$work"/linux-image-*.deb "$work/kernel"
cp "$work"/kernel/boot/vmlinuz-* "$work/vmlinuz"
modules="$(echo "$work"/kernel/lib/modules/*/kernel)"
mkdir -p "$work/initrd/bin" "$work/initrd/modules"
cp /bin/busybox "$work/initrd/bin/busybox"
for module in drivers/virtio/virtio_ring drivers/virtio/virtio drivers/virtio/virtio_pci_modern_dev \
    drivers/virtio/virtio_pci_legacy_dev drivers/virtio/virtio_pci drivers/block/virtio_blk lib/crc16 \
    fs/mbcache fs/jbd2/jbd2 crypto/crc32c_generic fs/ext4/ext4 fs/netfs/netfs fs/fscache/fscache \
    net/9p/9pnet net/9p/9pnet_virtio fs/9p/9p; do
    cp "$modules/$module.ko" "$work/initrd/modules/"
    basename "$module" >>"$work/initrd/modules/order"
done
cp "$TAVRIN_ROOT/scripts/guest/init" "$work/initrd/init"
chmod +x "$work/initrd/init"
(cd "$work/initrd" && find . | busybox cpio -o -H newc 2>/dev/null | gzip -1 >"$work/initrd.gz")

# The root disk: Debian with the i386 architecture and the packages the tests run with.
root="$work/root"
debootstrap --arch=amd64 --variant=minbase "$release" "$root" "$mirror" >>"$log" 2>&1
# The machine's own package sources (its mirror and release), without the source-package lists.
cp /etc/resolv.conf "$root/etc/resolv.conf"
rm -f "$root/etc/apt/sources.list" "$root"/etc/apt/sources.list.d/*
cp /etc/apt/sources.list "$root/etc/apt/" 2>/dev/null || true
find /etc/apt/sources.list.d -maxdepth 1 -type f \( -name '*.sources' -o -name '*.list' \) ! -name 'tavrin-*' -exec cp {} "$root/etc/apt/sources.list.d/" \;
chroot "$root" dpkg --add-architecture i386
update_lists "$root"
tavrin_apt_install "$root" "${tavrin_run_packages[@]}" "${tavrin_guest_only_packages[@]}" >>"$log" 2>&1
tavrin_apt_done
chroot "$root" apt-get clean
cp /bin/busybox "$root/usr/local/bin/busybox"
install -m 755 "$TAVRIN_ROOT/scripts/guest/start" "$root/usr/local/sbin/tavrin-start"
mke2fs -q -t ext4 -d "$root" -L tavrin-guest -E root_owner=0:0 "$work/root.img" 8G >>"$log" 2>&1

rm -rf "$root" "$work/kernel" "$work/initrd" "$work"/linux-image-*.deb
touch "$work/.complete"
rm -rf "$image"
mv "$work" "$image"
echo "$image"
