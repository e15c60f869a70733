#!/usr/bin/env bash
# The whole program in a real X window, as a player runs it: Xvfb with the
# openbox window manager, the window found by its title, placed by the window
# manager, its outer size, the craft seen in both views before and after an
# arrow key, a key released while another client has the focus, closing
# through the window manager with exit code 0; in each view, started as the
# menu entry and its actions start it, a frame equal pixel for pixel to
# zephlet-replay's shot of the same tick in that view; without a display,
# exit code 255 with the registration failure on standard error; and a wrong
# argument, with a display or without, exit code 2 and no window.
#
# usage: window_test.sh ZEPHLET ZEPHLET_REPLAY CRAFT_BMP LSAN_SUPPRESSIONS
set -euo pipefail
zephlet=$1
replay=$2
craft=$3
export LSAN_OPTIONS="suppressions=$4:print_suppressions=0"
desktop=$(dirname "$0")/../../packaging/zephlet.desktop

source "$(dirname "$0")/x_session.sh"

# --- A display with a window manager.
start_x_session || fail "no X session"

# --- Playing: the window, its size, the craft before and after a key, and
# Alt+F4, which the window manager turns into a close request.
start_game play "$zephlet"

xprop -id "$window" _NET_FRAME_EXTENTS | grep -q '=' || fail "openbox gave the window no frame"
outer=$(outer_size "$window")
[[ $outer == 265x600 ]] || fail "outer size $outer, not 265x600"
# No position of the program's own: the window manager chooses.
xprop -id "$window" WM_NORMAL_HINTS | grep -q 'specified location' &&
    fail "the window asks for a position: $(xprop -id "$window" WM_NORMAL_HINTS)"

within 5 craft_shows "$window" 0 0 >"$work/probe.log" ||
    fail "the craft is not at x 35 and 183, y 500"
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
xdotool key --clearmodifiers Right
within 5 craft_shows "$window" 32 0 >"$work/probe.log" ||
    fail "after Right the craft is not at x 67 and 215, y 500"
craft_shows "$window" 0 0 >/dev/null &&
    fail "after Right the craft is still in the middle lane"
echo "craft at x 35 and 183, then after Right at x 67 and 215"

# Up held while another client takes the focus, and released there: the
# game never saw the release, so its next press of Up does not move the
# craft (that press's release clears the latch): Up then Down end at the
# lowest altitude, not in the middle; the Up after that moves again.
xdotool keydown Up
within 5 craft_shows "$window" 32 2 >/dev/null || fail "Up held: the craft did not climb"
xmessage -name other 'another client' &
session_pids+=($!)
other=$(timeout 10 xdotool search --sync --onlyvisible --classname '^other$' | head -n 1)
[[ -n $other ]] || fail "no second client"
xdotool windowactivate --sync "$other" >/dev/null 2>&1 || true
xdotool keyup Up
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
xdotool key Up Down
within 5 craft_shows "$window" 32 0 >/dev/null ||
    fail "Up and Down after a release the game never saw: the craft is not at the lowest altitude"
xdotool key Up
within 5 craft_shows "$window" 32 2 >/dev/null || fail "the next Up did not move the craft"
echo "a release the window never saw keeps Up's latch: one press lost, as it should be"

close_game alt+F4

# --- The close button's way: the window manager is asked to close it.
start_game close "$zephlet"
within 5 craft_shows "$window" 0 0 >/dev/null || fail "second run shows no craft"
close_game close

# --- Each view, started by the Exec line of the menu entry (parallel) and of
# each of its actions, with the game in place of the installed zephlet.
while read -r line; do
    read -r -a words <<<"$line"
    [[ ${words[0]} == zephlet ]] || fail "the menu entry's Exec=$line does not start zephlet"
    view=parallel
    [[ ${words[1]:-} == --view ]] && view=${words[2]}
    start_game "$view" "$zephlet" "${words[@]:1}"
    import -window "$window" "$work/$view.png" || fail "$view: cannot capture the window"
    tick=$(shot_tick "$work/$view.png" "$replay" "$view") ||
        fail "Exec=$line: the frame is no replay shot of ticks 1 to 89 in view $view"
    echo "Exec=$line: the frame equals the replay's shot of tick $tick in view $view"
    close_game alt+F4
done < <(sed -n 's/^Exec=//p' "$desktop")

# --- No display: the video system cannot start.
check_no_video() {
    local what=$1 code=0
    shift
    env "$@" "$zephlet" >"$work/stdout.log" 2>"$work/stderr.log" </dev/null || code=$?
    [[ $code == 255 ]] || fail "$what: exit code $code, not 255"
    grep -qx 'Window class registration failed!' "$work/stderr.log" ||
        fail "$what: no message on standard error"
    echo "$what: exit code 255 and the message"
}
check_no_video "no DISPLAY" -u DISPLAY -u WAYLAND_DISPLAY
check_no_video "x11 with a bogus DISPLAY" -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 DISPLAY=:65000

# --- A wrong argument: reported as such, before any window, with a display
# and without one.
check_wrong_argument() {
    local what=$1 code=0
    shift
    env "$@" >"$work/stdout.log" 2>"$work/stderr.log" </dev/null || code=$?
    [[ $code == 2 ]] || fail "$what: exit code $code, not 2"
    grep -q 'parallel, crossed, red-cyan' "$work/stderr.log" ||
        fail "$what: the message does not name the views"
    [[ ! -s $work/stdout.log ]] || fail "$what: output on standard output"
    echo "$what: exit code 2 and the views named on standard error"
}
check_wrong_argument "unknown view" "$zephlet" --view sideways
check_wrong_argument "missing view" "$zephlet" --view
check_wrong_argument "view given twice" "$zephlet" --view crossed --view red-cyan
check_wrong_argument "unknown view, no DISPLAY" -u DISPLAY -u WAYLAND_DISPLAY "$zephlet" --view 3d
xdotool search --onlyvisible --name '^Zephlet!$' >/dev/null && fail "a wrong argument made a window"
echo "PASS"
