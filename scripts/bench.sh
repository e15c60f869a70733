#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks (Release) in build/bench
# and runs them: the world tick over whole levels, and one frame's work.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-packages.sh" packages-build.txt packages-test-libraries.txt
build="$root/build/bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZEPHLET_BENCHMARKS=ON -DZEPHLET_TESTS=OFF
cmake --build "$build" -j"$(nproc)" --target tick_bench frame_composition_bench
"$build/bench/tick_bench"
"$build/bench/frame_composition_bench"
