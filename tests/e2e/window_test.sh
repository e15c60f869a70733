#!/usr/bin/env bash
# The whole program in a real X window, as a player runs it: on Linux, or
# under Wine with a fresh prefix, in Xvfb with the openbox window manager.
# The window found by its title, its outer size (and on Linux, placed by the
# window manager), the craft seen in both views before and after Right (and
# on Linux, a key released while another client has the focus); Alt+F4 and
# the window manager's close each ending it with exit code 0; in each view,
# started as the menu entry and its actions start it (under Wine, with
# --view) and, under Wine, chosen from the window's menu, a frame equal
# pixel for pixel to zephlet-replay's shot of the same tick in that view;
# without a display, exit code 255 (on Linux with the registration failure
# on standard error); and a wrong argument, exit code 2 with the views named
# on standard error and no game window (under Wine, in a box titled Zephlet).
#
# Under Wine, a pad as well, with XInput replaced by a scripted one.
#
# usage: window_test.sh linux|wine PROGRAM ZEPHLET_REPLAY CRAFT_BMP LSAN_SUPPRESSIONS [XINPUT_DLL]
set -euo pipefail
platform=$1
program=$2
replay=$3
craft=$4
export LSAN_OPTIONS="suppressions=$5:print_suppressions=0"
views_named='parallel, crossed, red-cyan'

source "$(dirname "$0")/x_session.sh"

if [[ $platform == wine ]]; then
    start_wine_session || fail "no X session with Wine"
    game=(wine "$program") inset=("${wine_client_inset[@]}")
else
    start_x_session || fail "no X session"
    game=("$program") inset=(0 0 0 0)
fi

# Starts the game with the arguments "${@:2}", its output in $work/$1.log,
# and waits for its window: $game_pid is its process id, $window the window's.
start_game() {
    "${game[@]}" "${@:2}" >"$work/$1.log" 2>&1 &
    game_pid=$!
    session_pids+=("$game_pid")
    window=$(find_window) || fail "$1: no window titled Zephlet!"
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    xdotool windowfocus --sync "$window" >/dev/null 2>&1 || true
}

# Sets code to the game's exit code; a failure if it does not end in 10 s.
await_game() {
    code=0
    within 10 bash -c "! kill -0 $game_pid 2>/dev/null" || fail "the game did not end"
    wait "$game_pid" || code=$?
}

# Ends the game by the keys $1 (alt+F4), or by the window manager's close
# for "close", and fails unless its exit code is 0.
close_game() {
    { [[ $1 == close ]] && close_window "$window"; } || xdotool key "$1"
    await_game
    [[ $code == 0 ]] || fail "exit code $code after $1"
    echo "$1: exit code 0"
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
    echo "$what: exit code $code"
}

# Whether the window's client area is zephlet-replay's shot of one of ticks
# 1 to 89 in view $1: until the first row spawns at tick 90 a frame depends
# on its tick alone, whatever the seed. The shots are made once for a view.
is_a_shot() {
    local view=$1 width height tick sums=$work/shots-$1.sums
    read -r width height < <(window_size)
    [[ -n $width ]] || fail "the window is gone"
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

# --- No display, and wrong arguments: reported as such, before any window.
if [[ $platform == wine ]]; then
    # No box either: one waiting for a click would run into the timeout.
    expect_exit 255 "no display" "" -u DISPLAY timeout 30 "${game[@]}"
    expect_exit 2 "no display, unknown view" "$views_named" -u DISPLAY timeout 30 "${game[@]}" --view 3d
else
    no_display='^Window class registration failed!$'
    expect_exit 255 "no DISPLAY" "$no_display" -u DISPLAY -u WAYLAND_DISPLAY "$program"
    expect_exit 255 "x11 with a bogus DISPLAY" "$no_display" -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 \
        DISPLAY=:65000 "$program"
    expect_exit 2 "unknown view, no DISPLAY" "$views_named" -u DISPLAY -u WAYLAND_DISPLAY "$program" --view 3d
    for wrong in "--view sideways" "--view" "--view crossed --view red-cyan"; do
        # shellcheck disable=SC2086
        expect_exit 2 "zephlet $wrong" "$views_named" "$program" $wrong
    done
    xdotool search --onlyvisible --name '^Zephlet!$' >/dev/null && fail "a wrong argument made a window"
fi

# --- Playing: the window, its size, the craft before and after a key.
start_game play
read -r width height < <(window_size)
read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS |
    sed -n 's/.*= *\([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\).*/\1 \2 \3 \4/p') || true
outer=$((width + ${left:-0} + ${right:-0}))x$((height + ${top:-0} + ${bottom:-0}))
[[ $outer == 265x600 ]] || fail "outer size $outer (X window ${width}x$height), not 265x600"
if [[ $platform == linux ]]; then
    [[ -n ${left:-} ]] || fail "openbox gave the window no frame"
    # No position of the program's own: the window manager chooses.
    xprop -id "$window" WM_NORMAL_HINTS | grep -q 'specified location' && fail "the window asks for a position"
fi
within 5 craft_at 0 0 >"$work/probe.log" || fail "the craft is not at x 35 and 183, y 500"
xdotool key --clearmodifiers Right
within 5 craft_at 32 0 >"$work/probe.log" || fail "after Right the craft is not at x 67 and 215, y 500"
craft_at 0 0 >/dev/null && fail "after Right the craft is still in the middle lane"
echo "outer size 265x600; the craft at x 35 and 183, then after Right at x 67 and 215"

# Up held while another client takes the focus, and released there: the
# game never saw the release, so its next press of Up does not move the
# craft (that press's release clears the latch): Up then Down end at the
# lowest altitude, not in the middle; the Up after that moves again.
if [[ $platform == linux ]]; then
    xdotool keydown Up
    within 5 craft_at 32 2 >/dev/null || fail "Up held: the craft did not climb"
    xmessage -name other 'another client' &
    session_pids+=($!)
    other=$(timeout 10 xdotool search --sync --onlyvisible --classname '^other$' | head -n 1)
    [[ -n $other ]] || fail "no second client"
    xdotool windowactivate --sync "$other" >/dev/null 2>&1 || true
    xdotool keyup Up
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    xdotool key Up Down
    within 5 craft_at 32 0 >/dev/null || fail "Up and Down after a release the game never saw: not at the lowest altitude"
    xdotool key Up
    within 5 craft_at 32 2 >/dev/null || fail "the next Up did not move the craft"
    echo "a release the window never saw keeps Up's latch: one press lost, as it should be"
fi
close_game alt+F4

# --- The close button's way: the window manager is asked to close it.
start_game close
within 5 craft_at 0 0 >/dev/null || fail "second run shows no craft"
close_game close

# --- Each view as it starts: by the Exec line of the menu entry and of each
# of its actions on Linux, with the game in place of the installed zephlet.
if [[ $platform == wine ]]; then
    starts=("" "--view crossed" "--view red-cyan")
else
    mapfile -t starts < <(sed -n 's/^Exec=//p' "$(dirname "$0")/../../packaging/zephlet.desktop")
fi
for start in "${starts[@]}"; do
    read -r -a words <<<"$start"
    if [[ $platform == linux ]]; then
        [[ ${words[0]} == zephlet ]] || fail "the menu entry's Exec=$start does not start zephlet"
        words=("${words[@]:1}")
    fi
    view=parallel
    [[ ${words[0]:-} == --view ]] && view=${words[1]}
    start_game "$view" "${words[@]}"
    is_a_shot "$view" || fail "$start: the frame is no replay shot of ticks 1 to 89 in view $view"
    close_game alt+F4
done

if [[ $platform == wine ]]; then
    # --- The window's menu, from the icon at the title bar's left (openbox
    # has Alt+Space here): its last item, and the one above. The arrows that
    # move through it steer nothing, so the frame is a shot of the craft where
    # it started; the game stands still while the menu is open.
    for choice in "red-cyan Up" "crossed Up Up"; do
        start_game menu
        xdotool mousemove --window "$window" 12 12 click 1 key ${choice#* } Return
        within 5 is_a_shot "${choice%% *}" || fail "$choice from the menu: no replay shot in that view"
        close_game alt+F4
    done

    # --- A pad, XInput's own replaced in the system folder: the d-pad and the
    # stick (its y up in XInput) move the craft once a press, and a pad
    # pulled out lets go of what it held.
    cp "$6" "$WINEPREFIX/drive_c/windows/system32/xinput1_4.dll"
    export ZEPHLET_SCRIPTED_PAD="Z:$work/pad"
    pad() { echo "$*" >"$work/pad.tmp" && mv "$work/pad.tmp" "$work/pad"; }
    WINEDLLOVERRIDES="xinput1_4=n;$WINEDLLOVERRIDES" start_game pad
    pad 1 $((XINPUT_GAMEPAD_DPAD_RIGHT = 8)) 0 0
    within 5 craft_at 32 0 >"$work/probe.log" || fail "the d-pad's right did not move the craft"
    pad 1 0 -32768 0
    within 5 craft_at 0 0 >"$work/probe.log" || fail "the stick's left did not move the craft"
    pad 0 0 0 0
    sleep 1  # many polls: the game sees the pad gone
    pad 1 0 -32768 0
    within 5 craft_at -32 0 >"$work/probe.log" || fail "plugged in again leaning left: no move"
    pad 1 0 0 32767
    within 5 craft_at -32 2 >"$work/probe.log" || fail "the stick's up did not move the craft"
    echo "a pad's d-pad and stick: one move a press; pulled out, it lets go"
    close_game alt+F4

    # --- A wrong argument with a display: no game window, a box titled with
    # the game's name, and exit code 2 once it is dismissed.
    "${game[@]}" --view >"$work/wrong.log" 2>&1 </dev/null &
    game_pid=$!
    session_pids+=("$game_pid")
    box=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zephlet$' | head -n 1) ||
        fail "missing view: no box titled Zephlet"
    xdotool search --onlyvisible --name '^Zephlet!$' >/dev/null && fail "missing view: a game window"
    close_window "$box"
    await_game
    [[ $code == 2 ]] || fail "missing view: exit code $code, not 2"
    grep -q "$views_named" "$work/wrong.log" || fail "missing view: standard error does not name the views"
    echo "missing view: a box titled Zephlet, the views named on standard error, exit code 2"
fi
echo "PASS"
