# Sourced by the measuring scripts and by the whole-program and package
# tests: a scratch folder $work, removed on exit with every process whose id
# is in session_pids; `within`; a private X display with the openbox window
# manager; and Wine in a fresh prefix of its own.
#
# After `start_x_session`, DISPLAY names the display (xvfb.log and
# openbox.log are in $work); after `start_wine_session`, WINEPREFIX is a
# fresh prefix under $work with the fonts of fonts-wine in it (Debian's Wine
# does not find them itself).
#
# Wine draws the windows' frames itself, as Windows does, instead of leaving
# them to the window manager: the X window is then the whole Windows window,
# its client area inside at the offsets of Wine's default metrics: a thick
# frame (4 pixels), a caption (19) and a client edge (2); wine_client_inset
# holds them as left, top, right and bottom.

work=$(mktemp -d)
session_pids=()
wine_client_inset=(6 25 6 6)
end_session() {
    [[ ! -d $work/wineprefix ]] || timeout 10 wineserver -k 2>/dev/null || true
    for pid in "${session_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap end_session EXIT

# Waits up to $1 seconds for a command to succeed.
within() {
    local deadline=$((SECONDS + $1))
    until "${@:2}"; do ((SECONDS < deadline)) && sleep 0.05 || return 1; done
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

start_wine_session() {
    export WINEPREFIX=$work/wineprefix WINEDEBUG=-all,err+winediag
    export WINEDLLOVERRIDES="mscoree,mshtml="  # no prompts for Mono or Gecko
    start_x_session || return 1
    # The prefix is made without a display, so that no dialog shows.
    DISPLAY= timeout 120 wineboot --init >"$work/wineboot.log" 2>&1 ||
        { echo "wineboot did not set up the prefix" >&2; return 1; }
    DISPLAY= timeout 30 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f \
        >>"$work/wineboot.log" 2>&1 || { echo "cannot set up Wine's X11 driver" >&2; return 1; }
    end_wine_processes
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
}

# Ends every Wine process of the prefix. Wine's desktop process lives as
# long as its wineserver and keeps the display it started with: after a run
# without a display, the next run needs a fresh one.
end_wine_processes() {
    timeout 10 wineserver -k 2>/dev/null || true
    timeout 10 wineserver -w 2>/dev/null || true
}

# Prints the id of the game's window once it shows; a failure after 20 s.
# Polled often, so that the first capture comes long before tick 90.
find_window() {
    within 20 bash -c "xdotool search --onlyvisible --name '^Zephlet!\$' 2>/dev/null | head -n 1 | grep ."
}
