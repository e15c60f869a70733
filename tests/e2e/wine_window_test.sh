#!/usr/bin/env bash
# The Windows program under Wine, in a real X window: Xvfb with the openbox
# window manager and a fresh Wine prefix. Its title and outer size; a frame
# captured from the window equal, pixel for pixel, to zephlet-replay's shot
# of the same tick, in each view; the craft seen in both views before and
# after Right; Alt+F4 and the window manager's close each ending it with
# exit code 0; without a display, exit code 255 at once, with no box
# waiting; and a wrong argument, exit code 2 with the message on standard
# error and in a box titled Zephlet, or at once without a display.
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

code=0
env -u DISPLAY timeout 30 wine "$exe" --view sideways >"$work/nodisplay.log" 2>&1 </dev/null ||
    code=$?
[[ $code == 2 ]] || fail "no display, unknown view: exit code $code, not 2"
grep -q 'parallel, crossed, red-cyan' "$work/nodisplay.log" ||
    fail "no display, unknown view: the message does not name the views"
end_wine_processes
echo "no display, unknown view: exit code 2 and the views named"

# --- Playing.
start_game play wine "$exe"
import -window "$window" "$work/window.png" || fail "cannot capture the window"

outer=$(outer_size "$window")
read -r width height < <(xwininfo -id "$window" |
    awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
[[ $outer == 265x600 ]] || fail "outer size $outer, not 265x600"
echo "title Zephlet!, outer size 265x600"

# The captured client area against the replay's shots in the view.
inset_left=${wine_client_inset[0]}
inset_top=${wine_client_inset[1]}
client_width=$((width - inset_left - wine_client_inset[2]))
client_height=$((height - inset_top - wine_client_inset[3]))
client_is_a_shot() {
    local view=$1 tick
    convert "$work/window.png" -crop "${client_width}x${client_height}+${inset_left}+${inset_top}" \
        +repage "$work/frame-$view.png"
    tick=$(shot_tick "$work/frame-$view.png" "$replay" "$view") ||
        fail "the captured ${client_width}x${client_height} frame is no replay shot of ticks 1 to 89 in view $view"
    echo "client ${client_width}x${client_height}: the frame equals the replay's shot of tick $tick in view $view"
}
client_is_a_shot parallel

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

# --- The other views.
for view in crossed red-cyan; do
    start_game "$view" wine "$exe" --view "$view"
    import -window "$window" "$work/window.png" || fail "$view: cannot capture the window"
    client_is_a_shot "$view"
    close_game alt+F4
done

# --- A wrong argument with a display: no game window, a box titled with the
# game's name, and exit code 2 once it is dismissed.
wine "$exe" --view >"$work/wrong.log" 2>&1 </dev/null &
game=$!
session_pids+=("$game")
box=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zephlet$' | head -n 1) ||
    fail "missing view: no box titled Zephlet"
xdotool search --onlyvisible --name '^Zephlet!$' >/dev/null && fail "missing view: a game window"
close_window "$box"
await_game
[[ $code == 2 ]] || fail "missing view: exit code $code, not 2"
grep -q 'parallel, crossed, red-cyan' "$work/wrong.log" ||
    fail "missing view: the message on standard error does not name the views"
echo "missing view: a box titled Zephlet, the views named on standard error, exit code 2"
echo "PASS"
