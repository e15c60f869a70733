# Sourced by the whole-program tests and the measuring scripts: a private X
# display with the openbox window manager, torn down on exit.
#
# After `start_x_session`, DISPLAY names the display and $work is a scratch
# folder (xvfb.log and openbox.log are in it). Add a process id to
# session_pids to have it killed on exit as well.

work=$(mktemp -d)
session_pids=()
end_x_session() {
    for pid in "${session_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap end_x_session EXIT

# Waits up to $1 seconds for a command to succeed.
within() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
}

# For the whole-program tests: ends the test with the message and every log
# of the session.
fail() {
    echo "FAIL: $*" >&2
    for log in "$work"/*.log; do
        [[ -s $log ]] && { echo "--- $log"; cat "$log"; } >&2
    done
    exit 1
}

# Sets code to the exit code of the game whose process id is in $game; a
# failure if it does not end in 10 s.
await_game() {
    code=0
    within 10 bash -c "! kill -0 $game 2>/dev/null" || fail "the game did not end"
    wait "$game" || code=$?
    game=
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
