#!/usr/bin/env bash
# Installs what is missing, builds the game as Debian builds its packages
# (Release, with the hardening flags of dpkg-buildflags and two more, tests
# off) and makes build/deb/zephlet_<version>_amd64.deb with CPack, the same
# bytes from every build of a commit. Prints the .deb's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
"$root/scripts/install-packages.sh" packages-build.txt packages-deb.txt >&2
source "$root/scripts/reproducible-env.sh"
build="$root/build/deb"

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# dpkg-buildflags maps the folder it runs in to "." (-ffile-prefix-map): no
# path of the clone in the debug info, and so none in the build id.
cd "$root"
eval "$(dpkg-buildflags --export=sh)"
# What Debian 13's dpkg-buildflags adds and Debian 12's lacks, though GCC 12
# has both: probes in large stack frames, and endbr64 at indirect branch
# targets.
CXXFLAGS+=" -fstack-clash-protection -fcf-protection"
# CMake reads no CPPFLAGS: the preprocessor's flags go with the compiler's.
# Given on every configure, since CMake takes CXXFLAGS from the environment
# only when it makes the cache.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZEPHLET_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >&2
cmake --build "$build" -j"$(nproc)" >&2
rm -f "$build"/zephlet_*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$build"/zephlet_*.deb
