#!/usr/bin/env bash
# Installs the Debian package into a fresh Debian 12 system and tries it there:
# `apt install ./kestrion_*.deb` in a chroot made with debootstrap, `kestrion --export`
# and `--thumbnail` on a layout of the installed sample library, then removal.
# Needs root and the network (a Debian mirror); not part of the CI run.
# Usage: scripts/check-package.sh [PACKAGE.deb]   (default: build-package/kestrion_*.deb)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
    echo "check-package: run as root (debootstrap and chroot)" >&2
    exit 1
fi
deb=${1:-}
if [ -z "$deb" ]; then
    deb=$(ls build-package/kestrion_*.deb 2>/dev/null | tail -n 1 || true)
fi
if [ -z "$deb" ] || [ ! -f "$deb" ]; then
    echo "check-package: no package; run scripts/package.sh first" >&2
    exit 1
fi
command -v debootstrap >/dev/null 2>&1 || {
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
}
# The mirror this machine's apt uses, unless MIRROR says otherwise.
apt_mirror() {
    cat /etc/apt/sources.list /etc/apt/sources.list.d/* 2>/dev/null |
        grep -oE '^(URIs:|deb) +https?://[^ ]+/debian/?( |$)' | head -n 1 | awk '{print $2}' || true
}
mirror=${MIRROR:-$(apt_mirror)}
mirror=${mirror:-http://deb.debian.org/debian}

root=$(mktemp -d /var/tmp/kestrion-chroot.XXXXXX)
cleanup() {
    for m in proc dev/pts dev; do
        umount "$root/$m" 2>/dev/null || true
    done
    rm -rf --one-file-system "$root" "$root.log"
}
trap cleanup EXIT

echo "check-package: debootstrap bookworm from $mirror"
debootstrap --variant=minbase bookworm "$root" "$mirror" >/dev/null
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
# apt's chatter goes to a log, shown when a step fails.
log=$root.log
quietly() { "$@" >>"$log" 2>&1 || { tail -n 40 "$log" >&2; exit 1; }; }

echo "check-package: apt install ./$(basename "$deb")"
quietly in_root apt-get update
quietly in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "/tmp/$(basename "$deb")"

# A layout on the installed library: the top view of the van with one rectangle.
printf 'Kestrion 2\r\nFourgon_L2H2_Dessus_XY_5000_.jpg\r\n0\r\n0\r\n1\r\n100\r\n1\r\n1\r\n200\r\n60\r\n120\r\n190\r\n4\r\n0\r\n' \
    >"$root/root/plan.kla"
in_root kestrion --export /root/plan.kla /root/plan.jpg
in_root kestrion --thumbnail /root/plan.kla /root/plan.png 256
for picture in plan.jpg plan.png; do
    [ -s "$root/root/$picture" ] || { echo "check-package: no $picture" >&2; exit 1; }
done
in_root test -f /usr/share/applications/kestrion.desktop
in_root grep -q 'application/x-kestrion-agencement' /usr/share/mime/globs2 ||
    echo "check-package: note: the MIME cache was not refreshed (shared-mime-info absent)"

echo "check-package: apt purge kestrion"
quietly in_root env DEBIAN_FRONTEND=noninteractive apt-get purge -y kestrion
left=$(in_root sh -c 'ls -d /usr/bin/kestrion /usr/share/kestrion /usr/share/applications/kestrion.desktop 2>/dev/null' || true)
if [ -n "$left" ]; then
    echo "check-package: left after removal: $left" >&2
    exit 1
fi
echo "check-package: $(basename "$deb") installs, exports and removes cleanly on Debian 12"
