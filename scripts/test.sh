#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, cross-builds the Windows program, and runs
# every test: the Windows test programs under Wine, and the Windows program
# itself under Wine beside the Linux one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-packages.sh" packages-build.txt packages-test.txt packages-windows.txt
"$root/scripts/build-windows.sh" -DZEPHLET_WERROR=ON
build="$root/build/test"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DZEPHLET_SANITIZE=ON -DZEPHLET_BENCHMARKS=ON -DZEPHLET_WERROR=ON \
    -DZEPHLET_WINDOWS_EXE="$root/build/windows/app/win32/zephlet.exe"
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j"$(nproc)"
cd "$root/build/windows"
ctest --output-on-failure -j"$(nproc)"
