#!/usr/bin/env bash
# The Windows program under Wine, in a real X window: Xvfb with the openbox
# window manager and a fresh Wine prefix. Its title and outer size; a frame
# captured from the window equal, pixel for pixel, to zephlet-replay's shot
# of the same tick; the craft seen in both views before and after Right;
# Alt+F4 and the window manager's close each ending it with exit code 0;
# and without a display, exit code 255 at once, with no box waiting.
#
# usage: wine_window_test.sh ZEPHLET.EXE ZEPHLET_REPLAY CRAFT_BMP LSAN_SUPPRESSIONS
set -euo pipefail
exe=$1
replay=$2
craft=$3
export LSAN_OPTIONS="suppressions=$4:print_suppressions=0"

source "$(dirname "$0")/wine_session.sh"

# The game's window id once it is mapped; polled often, so that the first
# capture comes long before tick 90.
find_window() {
    local deadline=$((SECONDS + 20)) found
    while ((SECONDS < deadline)); do
        found=$(xdotool search --onlyvisible --name '^Zephlet!$' 2>/dev/null | head -n 1) || true
        [[ -n $found ]] && { echo "$found"; return 0; }
        sleep 0.02
    done
    return 1
}

start_wine_session || fail "no X session with Wine"

# --- No display: window creation fails, and the program ends with -1, shown
# as 255, without a box (a box waiting for a click would run into the
# timeout).
code=0
env -u DISPLAY timeout 30 wine "$exe" >"$work/nodisplay.log" 2>&1 </dev/null || code=$?
[[ $code == 255 ]] || fail "no display: exit code $code, not 255"
end_wine_processes
echo "no display: exit code 255"

# --- Playing.
start_game play wine "$exe"
import -window "$window" "$work/window.png" || fail "cannot capture the window"

outer=$(outer_size "$window")
read -r width height < <(xwininfo -id "$window" |
    awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
[[ $outer == 265x600 ]] || fail "outer size $outer, not 265x600"
echo "title Zephlet!, outer size 265x600"

# The captured client area against the replay's shots of ticks 1 to 89:
# until the first row spawns at tick 90 a frame depends on its tick alone.
inset_left=${wine_client_inset[0]}
inset_top=${wine_client_inset[1]}
client_width=$((width - inset_left - wine_client_inset[2]))
client_height=$((height - inset_top - wine_client_inset[3]))
convert "$work/window.png" -crop "${client_width}x${client_height}+${inset_left}+${inset_top}" \
    +repage "$work/frame.png"
raw() { convert "$1" -depth 8 rgb:- | md5sum | cut -d' ' -f1; }
captured=$(raw "$work/frame.png")
{
    echo "client $client_width $client_height"
    for tick in $(seq 1 89); do
        printf 'frame\nshot %s/shot-%02d.png\n' "$work" "$tick"
    done
} | timeout 60 "$replay" >"$work/replay.log" 2>&1 || fail "zephlet-replay failed"
tick=
for shot in "$work"/shot-*.png; do
    if [[ $(raw "$shot") == "$captured" ]]; then
        tick=${shot##*shot-}
        tick=${tick%.png}
        break
    fi
done
[[ -n $tick ]] || fail "the captured ${client_width}x${client_height} frame is no replay shot of ticks 1 to 89"
echo "client ${client_width}x${client_height}: the frame equals the replay's shot of tick $((10#$tick))"

craft_at() { craft_shows "$window" "$1" 0 "$inset_left" "$inset_top"; }
within 5 craft_at 0 >"$work/probe.log" || fail "the craft is not at x 35 and 183, y 500"
timeout 10 xdotool windowfocus --sync "$window" || fail "cannot focus the window"
xdotool key Right
within 5 craft_at 32 >"$work/probe.log" || fail "after Right the craft is not at x 67 and 215, y 500"
craft_at 0 >/dev/null && fail "after Right the craft is still in the middle lane"
echo "craft at x 35 and 183, then after Right at x 67 and 215"

close_game alt+F4

# --- The close button's way: the window manager is asked to close it.
start_game close wine "$exe"
within 5 craft_at 0 >/dev/null || fail "second run shows no craft"
close_game close
echo "PASS"
