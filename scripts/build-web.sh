#!/usr/bin/env bash
# Builds the game as one self-contained web page with Debian's Emscripten:
# installs what is missing, then leaves build/web/zephlet.html, which plays
# opened straight from disk or from any static web host.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-packages.sh" packages-web.txt
build="$root/build/web"
# Debian's emcc runs its JavaScript tools with node, and they need Debian's
# acorn, which a node from elsewhere does not look for.
export NODE_PATH=/usr/share/nodejs
# Further cmake options may follow (the test command turns on -Werror).
emcmake cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZEPHLET_TESTS=OFF \
    -DZEPHLET_WERROR=OFF "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
cp "$build/app/web/zephlet.html" "$build/zephlet.html"
echo "built $build/zephlet.html"
