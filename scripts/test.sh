#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, cross-builds the Windows program, and runs
# every test: the Windows test programs under Wine, the Windows program
# itself under Wine beside the Linux one, and the web page in headless
# Chromium.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-packages.sh" packages-build.txt packages-test.txt packages-windows.txt \
    packages-web.txt packages-web-test.txt
# Debian's npm, unless the machine's node came with its own.
command -v npm >/dev/null || "$root/scripts/install-packages.sh" packages-npm.txt
(cd "$root/tests/web" && npm ci --no-audit --no-fund --loglevel=error)
"$root/scripts/build-windows.sh" -DZEPHLET_WERROR=ON
"$root/scripts/build-web.sh" -DZEPHLET_WERROR=ON
build="$root/build/test"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DZEPHLET_SANITIZE=ON -DZEPHLET_BENCHMARKS=ON -DZEPHLET_WERROR=ON \
    -DZEPHLET_WINDOWS_EXE="$root/build/windows/app/win32/zephlet.exe" \
    -DZEPHLET_WEB_PAGE="$root/build/web/zephlet.html"
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j"$(nproc)"
cd "$root/build/windows"
ctest --output-on-failure -j"$(nproc)"
