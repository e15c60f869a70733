#!/usr/bin/env bash
# Builds the game as one self-contained web page with Debian's Emscripten:
# installs what is missing, then leaves build/web/zephlet.html, which plays
# opened straight from disk or from any static web host, and
# build/web/zephlet-web.zip, the same page as index.html at the zip's root,
# as game hosts take a browser game. The zip has the same bytes from every
# build of a commit.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-packages.sh" packages-web.txt
source "$root/scripts/reproducible-env.sh"
build="$root/build/web"
# Debian's emcc runs its JavaScript tools with node, and they need Debian's
# acorn, which a node from elsewhere does not look for.
export NODE_PATH=/usr/share/nodejs
# Further cmake options may follow (the test command turns on -Werror).
emcmake cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZEPHLET_TESTS=OFF \
    -DZEPHLET_WERROR=OFF "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
cp "$build/app/web/zephlet.html" "$build/zephlet.html"
# The commit's time and a fixed mode; no extra fields (-X: no owners, no
# further time stamps).
stage=$build/zip-stage
rm -rf "$stage" "$build/zephlet-web.zip"
mkdir -p "$stage"
cp "$build/zephlet.html" "$stage/index.html"
chmod 644 "$stage/index.html"
touch -d "@$SOURCE_DATE_EPOCH" "$stage/index.html"
(cd "$stage" && zip -q -X -9 "$build/zephlet-web.zip" index.html)
echo "built $build/zephlet.html and $build/zephlet-web.zip"
