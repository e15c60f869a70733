#!/usr/bin/env bash
# The package's Depends are complete: in a minimal Debian 12 without the
# build packages, apt installs the .deb, the game starts and, with no
# display, ends in its start-up failure (so every shared library resolved),
# and a purge leaves none of its files behind.
#
# usage: chroot_install_test.sh zephlet_VERSION_amd64.deb
# The debootstrapped system is kept in $ZEPHLET_CHROOT_CACHE (default
# /var/cache/zephlet-test-chroot) and copied for every run, so each run
# starts clean; it is made again when missing or broken.
set -euo pipefail
[[ $(id -u) == 0 ]] || { echo "SKIP: debootstrap and chroot need root" && exit 77; }
deb=$(realpath "$1")
source "$(dirname "$0")/../test_helpers.sh"
cache=${ZEPHLET_CHROOT_CACHE:-/var/cache/zephlet-test-chroot}
base=$cache/bookworm

# The Debian mirror apt already uses here (CI reaches that one only).
mirror=$(apt-get indextargets --format '$(REPO_URI)' 'Codename: bookworm' 2>/dev/null | head -n 1 || true)

mkdir -p "$cache" && exec 9>"$cache/.lock" && flock 9
if ! [[ -f "$base.complete" ]] || ! chroot "$base" /usr/bin/apt-get --version >/dev/null 2>&1; then
    echo "Making the minimal Debian 12 in $base"
    rm -rf "$base" "$base.partial" "$base.complete"
    debootstrap --variant=minbase bookworm "$base.partial" "${mirror:-http://deb.debian.org/debian}" \
        >"$cache/debootstrap.log" 2>&1 ||
        { tail -n 30 "$cache/debootstrap.log" >&2; exit 1; }
    mv "$base.partial" "$base" && touch "$base.complete"
fi

root=$(mktemp -d /var/tmp/zephlet-chroot.XXXXXX)
trap 'rm -rf --one-file-system "$root"; end_session' EXIT
cp -a "$base/." "$root/"
flock -u 9
cp /etc/resolv.conf "$root/etc/" && cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
apt() { in_root apt-get -q -y -o Dpkg::Use-Pty=0 "$@"; }

apt update >/dev/null
apt install --no-install-recommends "/tmp/$(basename "$deb")" | tail -n 3

status=0
err=$(in_root /usr/games/zephlet 2>&1 >/dev/null) || status=$?
[[ $status == 255 && $err == *"Window class registration failed!"* ]] || fail "without a display: $status, $err"

apt purge zephlet >/dev/null
# Every file the package brings has zephlet in its path; dpkg itself removes
# the folders it made.
left=$(in_root find / -xdev -path /proc -prune -o -path /tmp -prune -o -name '*zephlet*' -print)
[[ -z "$left" ]] || fail "after the purge these remain: $left"
