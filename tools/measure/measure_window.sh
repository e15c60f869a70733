#!/usr/bin/env bash
# Measures the real game in a real X window, as a player runs it: Xvfb with
# the openbox window manager, nothing else. Prints
#   - the time from starting the program to the first frame on screen (the
#     craft seen in the window from outside), over 10 starts;
#   - the frame period over about 900 frames: the gaps between the loop's
#     sleeps, from the kernel's syscall tracepoints with perf, which do not
#     stop the program (strace --seccomp-bpf where perf cannot trace; its
#     stops add some 0.3 ms a frame);
#   - the CPU the program uses while playing (utime + stime over 30 s, from
#     /proc) beside a bare SDL window's measured at the same time, as a
#     ratio, with the X server's, and the program's peak resident memory;
#     with --view, one program in each view given, and with several
#     programs each of them, all beside the same bare window at the same
#     time.
#
# usage: tools/measure/measure_window.sh [--gl] [--view VIEW]... [ZEPHLET]...
#   ZEPHLET defaults to the Release build in build/measure, made here with
#   the probes; the start and the frame period are the first one's. Another
#   build of the game (an older commit, or one made with
#   -DZEPHLET_MEASURE_VIRTUAL_GAMEPAD=ON, which attaches a pad that is never
#   touched) is measured beside it by naming both. --gl measures a Release
#   build (build/measure-gl) whose
#   window surface goes through OpenGL instead of plain X11 images, the
#   choice the game does not make. --view (parallel, crossed, red-cyan;
#   parallel if none is given) chooses the views whose CPU is measured; the
#   start and the frame period are measured in the default view. Installs
#   the packages it lacks (scripts/packages-measure.txt); perf's
#   tracepoints need root.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/scripts/install-packages.sh" packages-build.txt packages-measure.txt
build=$root/build/measure
options=()
views=()
while (($#)); do
    case $1 in
        --gl)
            build=$root/build/measure-gl
            options=(-DZEPHLET_GL_WINDOW_SURFACE=ON)
            shift
            ;;
        --view)
            views+=("${2:?--view needs a view}")
            shift 2
            ;;
        *) break ;;
    esac
done
((${#views[@]})) || views=(parallel)
programs=("$@")
((${#programs[@]})) || programs=("$build/app/sdl/zephlet")
zephlet=${programs[0]}
# Rebuilt if the sources changed since: a stale program measures nothing.
targets=(window_probe bare_window)
[[ $# -gt 0 ]] || targets+=(zephlet)
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZEPHLET_TESTS=OFF -DZEPHLET_MEASURE=ON \
    "${options[@]}"
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"
for program in "${programs[@]}"; do
    [[ -x $program ]] || { echo "no program at $program" >&2; exit 1; }
done
for tool in Xvfb openbox xdotool wmctrl; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done
craft=$root/resources/craft.bmp
probe=$build/tools/measure/window_probe
bare=$build/tools/measure/bare_window

source "$root/tools/x_session.sh"

start_x_session
server=${session_pids[0]}  # the X server, whose CPU is shown beside the game's

# Closes the game through the window manager and waits for the process.
close_game() {
    local pid=$1 window
    window=$(find_window)
    wmctrl -i -c "$window"
    within 10 bash -c "! kill -0 $pid 2>/dev/null"
    wait "$pid" 2>/dev/null || true
}

# Prints count, mean, median, 99th percentile and maximum of the numbers on
# stdin. With a millisecond clock the periods fall on either side of 17 ms,
# so the mean, not the median, gives the ticks per second.
summary() {
    sort -n | awk '{v[NR] = $1; sum += $1} END {
        p99 = int(NR * 0.99 + 0.999); if (p99 < 1) p99 = 1
        printf "n %d, mean %.2f, median %.2f, p99 %.2f, max %.2f\n", NR, sum / NR,
               v[int((NR + 1) / 2)], v[p99], v[NR]
    }'
}

echo "machine: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores"
echo "programs: ${programs[*]}"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"

# --- Start to first frame.
for _ in 1 2 3 4 5 6 7 8 9 10; do
    read -r pid ms < <("$probe" first-frame "$craft" "$zephlet")
    [[ $ms != timeout ]] || { echo "no first frame within 10 s" >&2; exit 1; }
    echo "$ms" >>"$work/first_frame"
    close_game "$pid"
done
echo "start to first frame (ms): $(summary <"$work/first_frame")"

# --- Frame period. Each frame sleeps once, so the gaps between the sleeps'
# starts are the frame periods; a frame that needs no sleep shows as a
# double gap. The first 60 frames (start-up) are left out.
"$zephlet" &
game=$!
timeout 10 xdotool search --sync --onlyvisible --name '^Zephlet!$' >/dev/null
if command -v perf >/dev/null &&
    perf record -q -e syscalls:sys_enter_clock_nanosleep,syscalls:sys_enter_nanosleep \
        -p "$game" -o "$work/perf.data" -- sleep 16 2>"$work/perf.log"; then
    how="perf tracepoints"
    perf script -i "$work/perf.data" -F time 2>/dev/null | tr -d ':' >"$work/sleeps"
    close_game "$game"
else
    close_game "$game"
    how="strace --seccomp-bpf"
    command -v strace >/dev/null || { echo "neither perf nor strace can trace" >&2; exit 1; }
    strace -f --seccomp-bpf -ttt -e trace=nanosleep,clock_nanosleep -o "$work/trace" "$zephlet" &
    game=$!
    sleep 16
    close_game "$game"
    grep -E '^[0-9]+ +[0-9.]+ (clock_)?nanosleep\(' "$work/trace" | awk '{print $2}' >"$work/sleeps"
fi
awk '{ if (last != "") print ($1 - last) * 1000; last = $1 }' "$work/sleeps" |
    tail -n +61 >"$work/periods"
echo "frame period (ms, $how): $(summary <"$work/periods")"

# --- CPU and memory while playing, beside a bare SDL window that does what
# any window must (tools/measure/bare_window.cpp): the game in each view and
# the bare window all running at once for the same 30 s, so that the ratios
# do not depend on the machine's mood.
ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
games=()
labels=()
for program in "${programs[@]}"; do
    for view in "${views[@]}"; do
        "$program" --view "$view" &
        games+=($!)
        labels+=("$program, $view view")
    done
done
"$bare" &
baseline=$!
within 10 bash -c "(( \$(xdotool search --onlyvisible --name '^Zephlet!$' | wc -l) == ${#games[@]} ))"
timeout 10 xdotool search --sync --onlyvisible --name '^bare$' >/dev/null
sleep 2
games_before=()
for game in "${games[@]}"; do
    games_before+=("$(cpu_ticks "$game")")
done
bare_before=$(cpu_ticks "$baseline")
server_before=$(cpu_ticks "$server")
sleep 30
games_after=()
peaks=()
for game in "${games[@]}"; do
    games_after+=("$(cpu_ticks "$game")")
    peaks+=("$(awk '/VmHWM/ {print $2}' "/proc/$game/status")")
done
bare_after=$(cpu_ticks "$baseline")
server_after=$(cpu_ticks "$server")
for game in "${games[@]}"; do
    kill "$game"  # SDL turns the signal into a quit request
    wait "$game" 2>/dev/null || true
done
kill "$baseline"
wait "$baseline" 2>/dev/null || true
bare=$((bare_after - bare_before))
awk -v b=$bare -v s=$((server_after - server_before)) -v t="$ticks" -v n=$((${#games[@]} + 1)) \
    'BEGIN { printf "CPU over 30 s: bare window %.2f %% of one core; X server (all %d windows) %.2f %%\n",
             b / t / 30 * 100, n, s / t / 30 * 100 }'
for i in "${!games[@]}"; do
    awk -v label="${labels[i]}" -v g=$((games_after[i] - games_before[i])) -v b=$bare -v t="$ticks" \
        -v k="${peaks[i]}" \
        'BEGIN { printf "  %s: %.2f %% of one core, ratio to the bare window %.2f; peak resident memory (VmHWM) %.1f MiB\n",
                 label, g / t / 30 * 100, (b > 0 ? g / b : 0), k / 1024 }'
done
