#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, cross-builds the Windows program, and runs
# every test: the Windows test programs under Wine, the Windows program
# itself under Wine beside the Linux one, the web page in headless
# browsers, the packages and the releases.
#
# With --quick: the same sanitized build, and only the tests that need no
# window, Wine, browser, package or release (the game, the renderer, the
# shell's tables, the replay and the tools), for the inner loop.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
quick=false
case ${1:-} in
    --quick) quick=true ;;
    "") ;;
    *) echo "usage: scripts/test.sh [--quick]" >&2; exit 2 ;;
esac
build="$root/build/test"
configure=(cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DZEPHLET_SANITIZE=ON
    -DZEPHLET_BENCHMARKS=ON -DZEPHLET_WERROR=ON)
if $quick; then
    "$root/scripts/install-packages.sh" packages-build.txt packages-test-libraries.txt
    "${configure[@]}"
    cmake --build "$build" -j"$(nproc)"
    cd "$build"
    exec ctest --output-on-failure -j"$(nproc)" --label-exclude program
fi
"$root/scripts/install-packages.sh" packages-build.txt packages-test-libraries.txt packages-test.txt \
    packages-wine.txt packages-windows.txt packages-web.txt packages-web-test.txt
# Debian's npm, unless the machine's node came with its own.
command -v npm >/dev/null || "$root/scripts/install-packages.sh" packages-npm.txt
(cd "$root/tools/web" && npm ci --no-audit --no-fund --loglevel=error)
"$root/scripts/build-windows.sh" -DZEPHLET_WERROR=ON
"$root/scripts/build-web.sh" -DZEPHLET_WERROR=ON
"${configure[@]}" -DZEPHLET_WINDOWS_EXE="$root/build/windows/app/win32/zephlet.exe" \
    -DZEPHLET_WEB_PAGE="$root/build/web/zephlet.html"
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j"$(nproc)"
cd "$root/build/windows"
ctest --output-on-failure -j"$(nproc)"
