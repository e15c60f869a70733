#!/usr/bin/env bash
# Measures the Windows program under Wine from outside, beside the Linux
# program in the same X session as the baseline: Xvfb with openbox, a fresh
# Wine prefix. For each program it prints
#   - the tick rate: the ground scrolls 2 pixels a tick, read from the
#     window every 50 ms for 20 s (scroll_rate);
#   - the CPU the program's process uses while playing (utime + stime over
#     30 s, from /proc), with the X server's and, for Wine, wineserver's.
#
# usage: tools/measure/measure_wine.sh [ZEPHLET.EXE [ZEPHLET]]
#   ZEPHLET.EXE defaults to build/windows/app/win32/zephlet.exe (made with
#   scripts/build-windows.sh if missing), ZEPHLET to the Release build in
#   build/measure, made here with the probe. Installs the packages it lacks.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/scripts/install-packages.sh" packages-build.txt packages-measure.txt packages-wine.txt
exe=${1:-$root/build/windows/app/win32/zephlet.exe}
linux=${2:-$root/build/measure/app/sdl/zephlet}
if [[ $# -eq 0 && ! -f $exe ]]; then
    "$root/scripts/build-windows.sh"
fi
targets=(scroll_rate)
[[ $# -ge 2 ]] || targets+=(zephlet)
cmake -S "$root" -B "$root/build/measure" -DCMAKE_BUILD_TYPE=Release -DZEPHLET_TESTS=OFF \
    -DZEPHLET_MEASURE=ON
cmake --build "$root/build/measure" -j"$(nproc)" --target "${targets[@]}"
[[ -f $exe && -x $linux ]] || { echo "no program at $exe or $linux" >&2; exit 1; }
for tool in Xvfb openbox xdotool wine; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done
scroll_rate=$root/build/measure/tools/measure/scroll_rate

source "$root/tools/x_session.sh"

start_wine_session
server=${session_pids[0]}
echo "machine: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
percent() { awk -v t="$1" -v c="$ticks" 'BEGIN { printf "%.2f %%", t / c / 30 * 100 }'; }

# measure NAME LEFT TOP PROGRAM...: the client area starts at LEFT, TOP in
# the window.
measure() {
    local name=$1 left=$2 top=$3 game window wineserver before after
    shift 3
    "$@" >/dev/null 2>&1 &
    game=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zephlet!$' | head -n 1)
    [[ -n $window ]] || { echo "$name: no window" >&2; exit 1; }
    sleep 1
    echo "$name: $("$scroll_rate" "$window" "$root/resources/ground.bmp" 20 "$left" "$top")"
    wineserver=$(pgrep -n wineserver || true)
    # The program, the X server and, under Wine, wineserver.
    before=($(cpu_ticks "$game") $(cpu_ticks "$server") $(cpu_ticks "${wineserver:-0}"))
    sleep 30
    after=($(cpu_ticks "$game") $(cpu_ticks "$server") $(cpu_ticks "${wineserver:-0}"))
    local line="$name: CPU over 30 s: the program $(percent $((after[0] - before[0]))) of one core"
    line+=", the X server $(percent $((after[1] - before[1])))"
    [[ -z $wineserver ]] || line+=", wineserver $(percent $((after[2] - before[2])))"
    echo "$line"
    xdotool windowfocus --sync "$window" key alt+F4
    within 10 bash -c "! kill -0 $game 2>/dev/null" || kill "$game"
    wait "$game" 2>/dev/null || true
}

measure "Linux (SDL)" 0 0 "$linux"
measure "Windows under Wine" "${wine_client_inset[0]}" "${wine_client_inset[1]}" wine "$exe"
