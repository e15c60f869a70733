#!/usr/bin/env bash
# Cross-builds the Windows program on Debian: installs what is missing, then
# leaves zephlet.exe, its test programs and the zip for Windows players in
# build/windows. The zip has the same bytes from every build of a commit.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
"$root/scripts/install-packages.sh" packages-windows.txt
source "$root/scripts/reproducible-env.sh"
build="$root/build/windows"
# Further cmake options may follow (the test command turns on -Werror). The
# prefix map keeps the clone's path out of the objects.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZEPHLET_WERROR=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.toolchain.cmake" \
    -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$root=." "$@"
cmake --build "$build" -j"$(nproc)"

# The zip: the exe stripped, the read-me and the licence in a folder of the
# zip's name; entries in a fixed order with the commit's time and fixed
# modes, and no extra fields (-X: no owners, no further time stamps).
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=zephlet-$version-windows-x86_64
stage=$build/zip-stage
rm -rf "$stage" "$build/$name.zip"
cmake --install "$build" --component windows_zip --prefix "$stage/$name" --strip >/dev/null
chmod -R u=rwX,go=rX "$stage"
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
(cd "$stage" && find "$name" | sort | zip -q -X -9 -@ "$build/$name.zip")
echo "built $build/app/win32/zephlet.exe and $build/$name.zip"
