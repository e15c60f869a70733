# Sourced by the whole-program tests and the measuring scripts: a private X
# display with the openbox window manager, torn down on exit, over the
# helpers every test script shares (../test_helpers.sh).
#
# After `start_x_session`, DISPLAY names the display (xvfb.log and
# openbox.log are in $work). Add a process id to session_pids to have it
# killed on exit as well.

source "$(dirname "${BASH_SOURCE[0]}")/../test_helpers.sh"
session_pids=()
end_x_session() {
    cleanup_pids+=("${session_pids[@]}")
    end_test
}
trap end_x_session EXIT

# Starts the game, "${@:2}", with its output in $work/$1.log, and waits for
# its window: $game is its process id, killed on exit, $window the window's.
start_game() {
    "${@:2}" >"$work/$1.log" 2>&1 &
    game=$!
    session_pids+=("$game")
    window=$(find_window) && [[ -n $window ]] || fail "$1: no window titled Zephlet!"
}

# Sets code to the exit code of the game whose process id is in $game; a
# failure if it does not end in 10 s.
await_game() {
    code=0
    within 10 bash -c "! kill -0 $game 2>/dev/null" || fail "the game did not end"
    wait "$game" || code=$?
    game=
}

# Ends the game by the keys $1 (alt+F4), or by the window manager's close
# for "close", and fails unless its exit code is 0.
close_game() {
    if [[ $1 == close ]]; then
        close_window "$window"
    else
        xdotool key "$1"
    fi
    await_game
    [[ $code == 0 ]] || fail "exit code $code after $1"
    echo "$1: exit code 0"
}

# Returns non-zero, with a line on standard error, if a part does not start.
start_x_session() {
    # Xvfb picks a free display number.
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    session_pids+=($!)
    exec 3>&-
    within 10 test -s "$work/display" || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$(cat "$work/display")"
    # On a fresh machine openbox builds the font cache before it manages any
    # window, which takes longer than a window search waits: build it first.
    fc-cache >/dev/null 2>&1 || true
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    session_pids+=($!)
    within 10 bash -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
        { echo "openbox did not start" >&2; return 1; }
}

# Prints the id of the game's window once it shows; a failure after 10 s.
find_window() {
    timeout 10 xdotool search --sync --onlyvisible --name '^Zephlet!$' | head -n 1
}

# Prints the outer size of the window $1 as WxH: its X window and the window
# manager's frame around it, if any.
outer_size() {
    local width height left right top bottom
    read -r width height < <(xwininfo -id "$1" |
        awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
    read -r left right top bottom < <(xprop -id "$1" _NET_FRAME_EXTENTS |
        sed -n 's/.*= *\([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\).*/\1 \2 \3 \4/p')
    echo "X window ${width}x${height}, frame ${left:-0} ${right:-0} ${top:-0} ${bottom:-0}" >&2
    echo "$((width + ${left:-0} + ${right:-0}))x$((height + ${top:-0} + ${bottom:-0}))"
}

# Whether the craft, $craft, stands at lane $2 and altitude $3 in both views
# of window $1, whose client area starts at $4, $5 in the X window (0, 0
# unless the program draws its own frame): every non-white pixel of the
# sprite shows there in its exact colour. The pixels wrong go to the output.
craft_shows() {
    local lane=$2 altitude=$3 left=${4:-0} top=${5:-0} x wrong all=0
    import -window "$1" "$work/shown.png" 2>/dev/null || return 1
    for x in $((35 + lane + altitude)) $((183 + lane - altitude)); do
        convert "$work/shown.png" -crop "32x32+$((left + x))+$((top + 500))" +repage "$work/view.png"
        convert "$work/view.png" \( "$craft" -transparent white \) -composite "$work/crafted.png"
        wrong=$(compare -metric AE "$work/view.png" "$work/crafted.png" null: 2>&1) || true
        echo "lane $lane altitude $altitude, view at x $x: $wrong pixels wrong"
        ((all += wrong))
    done
    ((all == 0))
}

# The pixels of a picture, as a checksum of its RGB bytes.
raw_pixels() {
    convert "$1" -depth 8 rgb:- | md5sum | cut -d' ' -f1
}

# Prints the tick whose shot by zephlet-replay ($2) in view $3 equals the
# client area captured in $1, a PNG; fails if none of ticks 1 to 89 does.
# Until the first row spawns at tick 90 a frame depends on its tick alone,
# whatever the seed.
shot_tick() {
    local frame=$1 replay=$2 view=$3 width height captured shot tick
    local shots=$work/shots-$view
    read -r width height < <(identify -format '%w %h' "$frame")
    mkdir -p "$shots"
    {
        echo "client $width $height"
        echo "view $view"
        for tick in $(seq 1 89); do
            printf 'frame\nshot %s/shot-%02d.png\n' "$shots" "$tick"
        done
    } | timeout 60 "$replay" >"$work/replay.log" 2>&1 || { echo "zephlet-replay failed" >&2; return 1; }
    captured=$(raw_pixels "$frame")
    for shot in "$shots"/shot-*.png; do
        if [[ $(raw_pixels "$shot") == "$captured" ]]; then
            tick=${shot##*shot-}
            echo $((10#${tick%.png}))
            return 0
        fi
    done
    return 1
}

# Asks the window manager to close window $1, as its close button does.
close_window() {
    wmctrl -i -c "$1"
}
