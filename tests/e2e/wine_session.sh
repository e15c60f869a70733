# Sourced by the Windows program's whole-program test and measuring script:
# the X session of x_session.sh, plus Wine in a temporary prefix of its own.
#
# After `start_wine_session`, WINEPREFIX is a fresh prefix under $work with
# the fonts of fonts-wine in it (Debian's Wine does not find them itself);
# wineserver is stopped on exit.
#
# Wine draws the windows' frames itself, as Windows does, instead of leaving
# them to the window manager: the X window is then the whole Windows window,
# its outer size as the program asked for it, with the client area inside at
# the offsets of Wine's default metrics (wine_client_inset below).

source "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"

export WINEDEBUG=-all,err+winediag
export WINEDLLOVERRIDES="mscoree,mshtml="  # no prompts for Mono or Gecko
export WINEPREFIX="$work/wineprefix"

end_wine_session() {
    timeout 10 wineserver -k 2>/dev/null || true
    end_x_session
}
trap end_wine_session EXIT

# Ends every Wine process of the prefix. Wine's desktop process lives as
# long as its wineserver and keeps the display it started with: after a run
# without a display, the next run needs a fresh one.
end_wine_processes() {
    timeout 10 wineserver -k 2>/dev/null || true
    timeout 10 wineserver -w 2>/dev/null || true
}

# Returns non-zero, with a line on standard error, if Wine cannot set up.
start_wine_session() {
    start_x_session || return 1
    # The prefix is made without a display, so that no dialog shows.
    DISPLAY= timeout 120 wineboot --init >"$work/wineboot.log" 2>&1 ||
        { echo "wineboot did not set up the prefix" >&2; return 1; }
    DISPLAY= timeout 30 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f \
        >>"$work/wineboot.log" 2>&1 || { echo "cannot set up Wine's X11 driver" >&2; return 1; }
    end_wine_processes
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
}

# Left, top, right and bottom, from the window's edges to its client area:
# a thick frame (4 pixels), a caption (19) and a client edge (2), as Wine
# measures them by default.
wine_client_inset=(6 25 6 6)
