#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-packages.sh" packages-build.txt
cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DZEPHLET_TESTS=OFF
cmake --build "$root/build/release" -j"$(nproc)"
exec "$root/build/release/app/sdl/zephlet"
