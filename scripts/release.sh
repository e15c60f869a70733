#!/usr/bin/env bash
# Makes every download of the commit checked out (HEAD) in dist/: the source
# tarball, the Debian package, the Windows zip, the web page and its zip for
# game hosts, and SHA256SUMS over them. Each is built from the tarball's own
# files, in a fresh tree, so what is shipped is what was committed;
# uncommitted changes stay out.
# Another build of the same commit, anywhere, gives the same bytes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
# The last commit's time unless the caller gives one, and the other fixed
# conditions (umask, locale, time zone) for this script and all it runs.
source "$root/scripts/reproducible-env.sh"

commit=$(git -C "$root" rev-parse HEAD)
[[ -z $(git -C "$root" status --porcelain --untracked-files=no) ]] ||
    echo "note: uncommitted changes are not in the release, only commit $commit" >&2
# The one version, the CMake project's, as committed.
version=$(git -C "$root" show HEAD:CMakeLists.txt |
    sed -n 's/^project(Zephlet VERSION \([0-9][0-9.]*\)[ )].*/\1/p')
[[ -n $version ]] || { echo "no project version in CMakeLists.txt" >&2; exit 1; }
name=zephlet-$version

work=$root/build/release-source
dist=$root/dist
rm -rf "$work" "$dist"
mkdir -p "$work" "$dist"

echo "== source tarball of $commit"
# git archive gives every entry the commit's time, root's ownership and
# fixed modes, in the tree's order; gzip -n stores no name and no time.
git -C "$root" archive --format=tar --prefix="$name/" HEAD >"$work/$name.tar"
gzip -9n <"$work/$name.tar" >"$dist/$name.tar.gz"
tar -xf "$work/$name.tar" -C "$work"
src=$work/$name

echo "== Debian package"
deb=$("$src/scripts/make-deb.sh")
cp "$deb" "$dist/"

echo "== Windows zip"
"$src/scripts/build-windows.sh" -DZEPHLET_TESTS=OFF
cp "$src/build/windows/$name-windows-x86_64.zip" "$dist/"

echo "== web page"
"$src/scripts/build-web.sh"
cp "$src/build/web/zephlet.html" "$dist/$name.html"
cp "$src/build/web/zephlet-web.zip" "$dist/"

sums=$(cd "$dist" && find . -maxdepth 1 -type f -printf '%f\n' | sort | xargs sha256sum)
echo "$sums" >"$dist/SHA256SUMS"
echo "== $dist"
cat "$dist/SHA256SUMS"
