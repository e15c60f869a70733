#!/usr/bin/env bash
# Installs what is missing and builds the game (Release) in build/release
# without starting it, so it also serves a machine with no display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-packages.sh" packages-build.txt
cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DZEPHLET_TESTS=OFF
cmake --build "$root/build/release" -j"$(nproc)"
echo "built $root/build/release/app/sdl/zephlet"
