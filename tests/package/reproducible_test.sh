#!/usr/bin/env bash
# The same commit built twice gives the same bytes in dist/: scripts/release.sh
# run in two clones at different paths, the second with another time zone,
# locale, umask and home, its clock a year ahead (faketime), no address
# randomisation where the kernel allows it, and as another user where the
# test runs as root. Both must hold the same downloads, named with the
# version, with SHA256SUMS that check; where they differ, diffoscope's
# report says how.
#
# usage: reproducible_test.sh SOURCE_TREE
set -euo pipefail
source_tree=$1
commit=$(git -C "$source_tree" rev-parse HEAD)
source "$(dirname "$0")/../test_helpers.sh"
# Beside the machine's other large builds, and open to the second user.
rmdir "$work" && work=$(mktemp -d /var/tmp/zephlet-reproducible.XXXXXX) && chmod 755 "$work"

# A clone at the commit under test (uncommitted changes are not tested);
# fetched by its id, since HEAD of a worktree need not be the clone's
# default branch.
a=$work/a/zephlet
b=$work/second/at/a/longer/path/zephlet-rebuild
for tree in "$a" "$b"; do
    git clone -q --no-checkout "$source_tree" "$tree" && git -C "$tree" fetch -q "$source_tree" "$commit"
    git -C "$tree" checkout -q --detach "$commit"
done

zone=Pacific/Kiritimati  # UTC+14, a day ahead of most of the world
no_aslr=()
setarch "$(uname -m)" -R true 2>/dev/null && no_aslr=(setarch "$(uname -m)" -R)
other_user=()
if [[ $(id -u) -eq 0 ]] && id nobody >/dev/null 2>&1; then
    mkdir -p "$work/home-b"
    chown -R nobody:"$(id -gn nobody)" "$work/second" "$work/home-b"
    other_user=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups --)
fi

(cd "$a" && umask 022 && env -u LC_ALL LANG=C TZ=UTC ./scripts/release.sh) >"$work/a.out" 2>&1 ||
    { tail -n 40 "$work/a.out" >&2; fail "first build"; }
(cd "$b" && umask 077 &&
    env LC_ALL=C.UTF-8 LANGUAGE=fr:de TZ=$zone HOME=$work/home-b \
        "${no_aslr[@]}" faketime -f +380d "${other_user[@]}" ./scripts/release.sh) >"$work/b.out" 2>&1 ||
    { tail -n 40 "$work/b.out" >&2; fail "second build"; }
echo "the second build: TZ=$zone, clock +380 days, ${no_aslr[*]:-ASLR}, ${other_user[*]:-the same user}"

version=$(sed -n 's/^project(Zephlet VERSION \([0-9][0-9.]*\)[ )].*/\1/p' "$a/CMakeLists.txt")
expected=$(printf '%s\n' SHA256SUMS "zephlet-$version"{-windows-x86_64.zip,.html,.tar.gz} zephlet-web.zip \
    "zephlet_${version}_amd64.deb")
# The second build's are the first's, below.
listed=$(cd "$a/dist" && ls | LC_ALL=C sort)
[[ $listed == "$expected" ]] || fail "dist holds other files:$(diff <(echo "$expected") <(echo "$listed"))"
(cd "$a/dist" && sha256sum --quiet -c SHA256SUMS) || fail "dist: SHA256SUMS does not check"
unzip -p "$a/dist/zephlet-web.zip" index.html | cmp -s - "$a/dist/zephlet-$version.html" ||
    fail "the game hosts' zip holds no index.html that is the page"

if ! diff -r -q "$a/dist" "$b/dist" >/dev/null; then
    timeout 900 diffoscope --text - --exclude-directory-metadata=yes "$a/dist" "$b/dist" || true
    fail "the two builds differ:$(diff "$a/dist/SHA256SUMS" "$b/dist/SHA256SUMS")"
fi
cat "$a/dist/SHA256SUMS"
