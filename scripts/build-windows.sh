#!/usr/bin/env bash
# Cross-builds the Windows program on Debian: installs what is missing, then
# leaves zephlet.exe, its test programs and the zip for Windows players in
# build/windows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-packages.sh" packages-windows.txt
build="$root/build/windows"
# Further cmake options may follow (the test command turns on -Werror).
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZEPHLET_WERROR=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.toolchain.cmake" "$@"
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G ZIP >/dev/null)
echo "built $build/app/win32/zephlet.exe and $(ls "$build"/zephlet-*.zip)"
