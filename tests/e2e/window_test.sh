#!/usr/bin/env bash
# The whole program in a real X window, as a player runs it: Xvfb with the
# openbox window manager, the window found by its title, placed by the window
# manager, its outer size, the craft seen in both views before and after an
# arrow key, a key released while another client has the focus, closing
# through the window manager with exit code 0; and without a display, exit
# code 255 with the registration failure on standard error.
#
# usage: window_test.sh ZEPHLET CRAFT_BMP LSAN_SUPPRESSIONS
set -euo pipefail
zephlet=$1
craft=$2
export LSAN_OPTIONS="suppressions=$3:print_suppressions=0"

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
echo "PASS"
