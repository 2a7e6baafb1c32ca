#!/usr/bin/env bash
# Checks the Debian package as a distribution would: without an argument it builds the
# package twice from scratch (scripts/package.sh) and requires the same bytes; then
# `lintian` must report no error and no warning; then, in a fresh Debian 12 chroot made
# with debootstrap, `apt install ./kestrion_*.deb`, `kestrion --export`, `--parts` and
# `--thumbnail` on a layout of the installed sample library, compared with what that
# layout must give, the thumbnail again inside the sandbox a file manager uses
# (bubblewrap: /usr read-only, no home folder), and `apt purge`.
# Needs root and the network (a Debian mirror); not part of the CI run.
# Usage: scripts/check-package.sh [PACKAGE.deb]
set -euo pipefail
cd "$(dirname "$0")/.."
failures=0
fail() { echo "check-package: FAIL: $*" >&2; failures=$((failures + 1)); }
. tests/install/sample-plan.sh
install_tool() {
    command -v "$1" >/dev/null 2>&1 ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$2" >/dev/null
}

if [ "$(id -u)" -ne 0 ]; then
    echo "check-package: run as root (debootstrap and chroot)" >&2
    exit 1
fi
deb=${1:-}
if [ -z "$deb" ]; then
    echo "check-package: building the package twice"
    rm -rf build-package
    scripts/package.sh >/dev/null
    first=$(mktemp)
    cp build-package/kestrion_*.deb "$first"
    rm -rf build-package
    scripts/package.sh >/dev/null
    deb=$(ls build-package/kestrion_*.deb)
    cmp "$first" "$deb" || fail "two builds of the same commit differ"
    rm -f "$first"
fi
if [ ! -f "$deb" ]; then
    echo "check-package: no package $deb" >&2
    exit 1
fi
install_tool debootstrap debootstrap
install_tool lintian lintian
install_tool bwrap bubblewrap || true

echo "check-package: lintian $(basename "$deb")"
report=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian reports errors or warnings"
grep -v 'running with root privileges' <<<"$report" || true
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

# A layout on the installed library, for a user who never started the program.
write_sample_plan "$root/root/plan.kla"
in_root kestrion --export /root/plan.kla /root/plan.bmp || fail "--export"
check_sample_export "$root/root/plan.bmp"
in_root kestrion --parts /root/plan.kla /root/parts.csv || fail "--parts"
check_sample_parts "$root/root/parts.csv"
in_root kestrion --thumbnail /root/plan.kla /root/plan.png 256 || fail "--thumbnail"
check_sample_thumbnail "$root/root/plan.png" 256 120

# The thumbnailer as a file manager runs it: the system's /usr read-only, the layout and
# the output folder bound in, no home folder, no network, nothing else of the system.
if command -v bwrap >/dev/null 2>&1; then
    out=$(mktemp -d)
    bwrap --ro-bind "$root/usr" /usr --ro-bind "$root/etc/ld.so.cache" /etc/ld.so.cache \
        --ro-bind-try "$root/etc/fonts" /etc/fonts \
        --symlink usr/lib /lib --symlink usr/lib64 /lib64 \
        --symlink usr/bin /bin --symlink usr/sbin /sbin \
        --proc /proc --dev /dev --tmpfs /tmp \
        --ro-bind "$root/root/plan.kla" /tmp/layout-to-thumbnail.kla --bind "$out" /tmp/out \
        --unshare-all --die-with-parent --clearenv --setenv PATH /usr/bin --chdir / \
        /usr/bin/kestrion --thumbnail /tmp/layout-to-thumbnail.kla /tmp/out/plan.png 256 ||
        fail "--thumbnail in the sandbox"
    check_sample_thumbnail "$out/plan.png" 256 120
    rm -rf "$out"
else
    echo "check-package: note: no bwrap, the sandboxed thumbnail is not tried"
fi
in_root test -f /usr/share/applications/kestrion.desktop
in_root grep -q 'application/x-kestrion-agencement' /usr/share/mime/globs2 ||
    echo "check-package: note: the MIME cache was not refreshed (shared-mime-info absent)"

echo "check-package: apt purge kestrion"
quietly in_root env DEBIAN_FRONTEND=noninteractive apt-get purge -y kestrion
left=$(in_root sh -c 'ls -d /usr/bin/kestrion /usr/share/kestrion /usr/share/applications/kestrion.desktop 2>/dev/null' || true)
[ -z "$left" ] || fail "left after removal: $left"
if [ "$failures" -gt 0 ]; then
    echo "check-package: $failures check(s) failed" >&2
    exit 1
fi
echo "check-package: $(basename "$deb") passes lintian, installs, exports, thumbnails and" \
    "removes cleanly on Debian 12"
