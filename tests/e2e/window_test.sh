#!/usr/bin/env bash
# The whole program in a real X window, as a player runs it: on Linux, or
# under Wine with a fresh prefix, in Xvfb with the openbox window manager.
# Without a display, exit code 255 (on Linux with the registration failure
# on standard error); a wrong argument, exit code 2 with the views named on
# standard error and no game window (under Wine, in a box titled Zephlet).
# The window found by its title, its outer size (and on Linux, placed by the
# window manager), the craft seen in both views before and after Right;
# Alt+F4 and the window manager's close each ending it with exit code 0; in
# each view, started as the menu entry and its actions start it (under Wine,
# with --view), a frame equal pixel for pixel to zephlet-replay's shot of
# the same tick in that view; on Linux, a key released while another client
# has the focus keeping its latch; under Wine, each view chosen from the
# window's menu. The pads are the shell tests' own.
#
# usage: window_test.sh linux|wine PROGRAM ZEPHLET_REPLAY CRAFT_BMP LSAN_SUPPRESSIONS
set -euo pipefail
platform=$1 program=$2 replay=$3 craft=$4
export LSAN_OPTIONS="suppressions=$5:print_suppressions=0"
views_named='parallel, crossed, red-cyan'
source "$(dirname "$0")/../test_helpers.sh"

if [[ $platform == wine ]]; then
    start_wine_session || fail "no X session with Wine"
    game=(wine "$program") inset=("${wine_client_inset[@]}")
    # No box either: one waiting for a click would run into the timeout.
    no_display=(-u DISPLAY timeout 30 "${game[@]}") registration=
    starts=(zephlet "zephlet --view crossed" "zephlet --view red-cyan")
else
    start_x_session || fail "no X session"
    game=("$program") inset=(0 0 0 0)
    no_display=(-u DISPLAY -u WAYLAND_DISPLAY "$program") registration='^Window class registration failed!$'
    desktop=$(dirname "$0")/../../packaging/zephlet.desktop
    mapfile -t starts < <(sed -n 's/^Exec=//p' "$desktop")
fi

# Starts the game with the arguments "${@:2}", its output in $work/$1.log:
# $game_pid is its process id; start_game waits for its window, $window.
launch() {
    "${game[@]}" "${@:2}" >"$work/$1.log" 2>&1 </dev/null &
    game_pid=$!
    session_pids+=("$game_pid")
}
start_game() {
    launch "$@"
    window=$(find_window) || fail "$1: no window titled Zephlet!"
    focus "$window"
}
# Gives the window the focus, asking again until the window manager says it
# has it: under load a first request can be lost, and a key sent then
# reaches another window.
focus() { within 5 focused "$1" || true; }
focused() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1
    xdotool windowfocus --sync "$1" >/dev/null 2>&1
    [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]
}

# Fails unless the game ends within 10 s with exit code $1.
await_exit() {
    local code=0
    within 10 bash -c "! kill -0 $game_pid 2>/dev/null" || fail "$2: the game did not end"
    wait "$game_pid" || code=$?
    [[ $code == "$1" ]] || fail "$2: exit code $code, not $1"
}
# Ends the game by the keys $1 (alt+F4), or by the window manager's close
# for "close".
close_game() {
    { [[ $1 == close ]] && wmctrl -i -c "$window"; } || xdotool key "$1"
    await_exit 0 "$1"
}

# Runs "${@:4}" (env's arguments) with no input, and fails unless its exit
# code is $1 and, if $3 is not empty, its standard error matches $3 (and on
# Linux, nothing went to standard output).
expect_exit() {
    local expected=$1 what=$2 message=$3 code=0
    env "${@:4}" >"$work/stdout.log" 2>"$work/stderr.log" </dev/null || code=$?
    [[ $platform == linux ]] || end_wine_processes
    [[ $code == "$expected" ]] || fail "$what: exit code $code, not $expected"
    [[ -z $message ]] || grep -q -- "$message" "$work/stderr.log" ||
        fail "$what: standard error does not say '$message'"
    [[ $platform == wine || ! -s $work/stdout.log ]] || fail "$what: output on standard output"
}

# Whether the window's client area is zephlet-replay's shot of one of ticks
# 1 to 89 in view $1: until the first row spawns at tick 90 a frame depends
# on its tick alone, whatever the seed. The shots are made once for a view.
is_a_shot() {
    local view=$1 width height tick sums=$work/shots-$1.sums
    read -r width height < <(window_size)
    ((width -= inset[0] + inset[2], height -= inset[1] + inset[3]))
    import -window "$window" -crop "${width}x$height+${inset[0]}+${inset[1]}" +repage "$work/$view.png" ||
        fail "cannot capture the window"
    if [[ ! -f $sums ]]; then
        mkdir -p "$work/shots"
        { echo "client $width $height" && echo "view $view" &&
            for tick in $(seq 1 89); do printf 'frame\nshot %s/%s-%s.png\n' "$work/shots" "$view" "$tick"; done; } |
            timeout 60 "$replay" >"$work/replay.log" 2>&1 || fail "zephlet-replay failed"
        for tick in $(seq 1 89); do echo "$(raw_pixels "$work/shots/$view-$tick.png") $tick"; done >"$sums"
    fi
    tick=$(grep -m 1 "^$(raw_pixels "$work/$view.png") " "$sums") || return 1
    echo "client ${width}x$height: the replay's shot of tick ${tick#* } in view $view"
}
raw_pixels() { convert "$1" -depth 8 rgb:- | md5sum | cut -d' ' -f1; }
window_size() { xwininfo -id "$window" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}'; }

# Whether the craft stands at lane $1 and altitude $2 in both views: every
# non-white pixel of the sprite shows there in its exact colour. The pixels
# wrong go to the output.
craft_at() {
    local x wrong all=0
    import -window "$window" "$work/shown.png" 2>/dev/null || return 1
    for x in $((35 + $1 + $2)) $((183 + $1 - $2)); do
        convert "$work/shown.png" -crop "32x32+$((inset[0] + x))+$((inset[1] + 500))" +repage "$work/view.png"
        convert "$work/view.png" \( "$craft" -transparent white \) -composite "$work/crafted.png"
        wrong=$(compare -metric AE "$work/view.png" "$work/crafted.png" null: 2>&1) || true
        echo "lane $1 altitude $2, view at x $x: $wrong pixels wrong"
        ((all += wrong))
    done
    ((all == 0))
}
# Fails with the message "${@:3}" unless the craft comes to lane $1 and
# altitude $2 within 5 s.
see() { within 5 craft_at "$1" "$2" >"$work/probe.log" || fail "${@:3}"; }

# --- No display, and wrong arguments: reported as such, before any window.
expect_exit 255 "no display" "$registration" "${no_display[@]}"
expect_exit 2 "no display, unknown view" "$views_named" "${no_display[@]}" --view 3d

# --- The window, its size, its class, the craft before and after a key
# (after the first start's frame is checked below).
playing() {
    read -r width height < <(window_size)
    read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS |
        sed -n 's/.*= *\([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\).*/\1 \2 \3 \4/p') || true
    outer=$((width + ${left:-0} + ${right:-0}))x$((height + ${top:-0} + ${bottom:-0}))
    [[ $outer == 265x600 ]] || fail "outer size $outer (X window ${width}x$height), not 265x600"
    # On Linux, no position of the program's own (the window manager chooses),
    # and the class the menu entry names.
    if [[ $platform == linux ]]; then
        xprop -id "$window" WM_NORMAL_HINTS | grep -q 'specified location' && fail "the window asks for a position"
        class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
        xprop -id "$window" WM_CLASS | grep -qF "= \"$class\", \"$class\"" || fail "window class, not $class"
    fi
    see 0 0 "the craft is not at x 35 and 183, y 500"
    # Again: the frame's check took seconds, in which a busy window manager
    # may not yet have given the window the focus.
    focus "$window"
    xdotool key --clearmodifiers Right
    see 32 0 "after Right the craft is not at x 67 and 215, y 500"
    [[ $platform == linux ]] || return 0
    # Up held while another client takes the focus, and released there: the
    # game never saw the release, so its next press of Up does not move the
    # craft (that press's release clears the latch): Up then Down end at the
    # lowest altitude; the Up after that moves again.
    xdotool keydown Up
    see 32 2 "Up held: the craft did not climb"
    xmessage -name other 'another client' &
    session_pids+=($!)
    focus "$(timeout 10 xdotool search --sync --onlyvisible --classname '^other$' | head -n 1)"
    xdotool keyup Up
    focus "$window"
    xdotool key Up Down
    see 32 0 "Up and Down after a release the game never saw: not at the lowest altitude"
    xdotool key Up
    see 32 2 "the next Up did not move the craft"
}

# --- Each view as it starts: by the Exec line of the menu entry and of each
# of its actions, with the game in place of the installed zephlet. The first
# is closed as the close button does, the window manager asked to close it.
closing=close
for start in "${starts[@]}"; do
    read -r -a words <<<"$start"
    [[ ${words[0]} == zephlet ]] || fail "the menu entry's Exec=$start does not start zephlet"
    view=parallel
    [[ ${words[1]:-} == --view ]] && view=${words[2]}
    start_game "$view" "${words[@]:1}"
    is_a_shot "$view" || fail "$start: the frame is no replay shot of ticks 1 to 89 in view $view"
    [[ $closing == alt+F4 ]] || playing
    close_game "$closing"
    closing=alt+F4
done
[[ $platform == wine ]] || exit 0

# --- The window's menu, from the icon at the title bar's left (openbox has
# Alt+Space here): its last item, and the one above. The arrows that move
# through it steer nothing, so the frame is a shot of the craft where it
# started; the game stands still while the menu is open.
for choice in "red-cyan Up" "crossed Up Up"; do
    start_game menu
    xdotool mousemove --window "$window" 12 12 click 1 key ${choice#* } Return
    within 5 is_a_shot "${choice%% *}" || fail "$choice from the menu: no replay shot in that view"
    close_game alt+F4
done

# --- A wrong argument with a display: no game window, a box titled with the
# game's name, and exit code 2 once it is dismissed.
launch wrong --view
box=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zephlet$' | head -n 1) ||
    fail "missing view: no box titled Zephlet"
xdotool search --onlyvisible --name '^Zephlet!$' >/dev/null && fail "missing view: a game window"
wmctrl -i -c "$box"
await_exit 2 "missing view"
grep -q "$views_named" "$work/wrong.log" || fail "missing view: standard error does not name the views"
