#!/usr/bin/env bash
# Shared helpers for end-to-end tests in a private X server. Source this file, then call xs_start.
#
#   xs_start [WxHxD]              starts Xvfb on a free display (1280x1024x24 unless given), exports DISPLAY,
#                                 cleans up on exit
#   xs_start_wm                   starts openbox (for tests that need a window manager, e.g. closing windows)
#   xs_track PID                  kills PID's process group (or PID) at cleanup
#   xs_wait_window NAME [SECS]    prints the id of the viewable window titled NAME once it is there
#   xs_wait_window_gone NAME [S]  waits until no viewable window is titled NAME
#   xs_window_geometry ID         sets XS_X, XS_Y, XS_W, XS_H from xwininfo
#   xs_screenshot ID FILE         PNG of the window's region of the screen
#   xs_wait_until SECS CMD...     runs CMD every 0.1 s until it succeeds; fails after SECS
#   xs_hold_key KEY [SECS]        keydown, a short hold, keyup (polling programs miss quick taps)
#   xs_fail MESSAGE               prints MESSAGE and exits with 1
#
# Everything started here is stopped when the test script exits, also on failure; a watchdog stops the
# X server if the script itself is killed (for instance by the test runner's timeout).

XS_PIDS=()
XS_TMP=""
XS_XVFB_PID=""

xs_fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

xs_cleanup()
{
    local pid
    for pid in "${XS_PIDS[@]}"; do
        kill -TERM -- "-$pid" 2>/dev/null || kill -TERM "$pid" 2>/dev/null || true
    done
    sleep 0.2
    for pid in "${XS_PIDS[@]}"; do
        kill -KILL -- "-$pid" 2>/dev/null || kill -KILL "$pid" 2>/dev/null || true
    done
    if [ -n "$XS_XVFB_PID" ]; then
        kill -TERM "$XS_XVFB_PID" 2>/dev/null || true
        wait "$XS_XVFB_PID" 2>/dev/null || true
    fi
    # A test may leave a folder it made read-only there.
    if [ -n "$XS_TMP" ]; then
        chmod -R u+w "$XS_TMP" 2>/dev/null || true
        rm -rf "$XS_TMP" || true
    fi
    return 0
}

xs_track()
{
    XS_PIDS+=("$1")
    echo "$1" >>"$XS_TMP/pids"
}

xs_start()
{
    XS_TMP="$(mktemp -d /tmp/xsession-XXXXXX)"
    trap 'status=$?; xs_cleanup; exit $status' EXIT
    trap 'exit 130' INT TERM
    # -noreset: the server would otherwise reset when its last client leaves, refusing connections meanwhile.
    Xvfb -displayfd 3 -screen 0 "${1:-1280x1024x24}" -nolisten tcp -noreset 3>"$XS_TMP/display" >/dev/null 2>"$XS_TMP/xvfb.log" &
    XS_XVFB_PID=$!
    local scriptPid=$$
    # Watchdog: stops the X server once this script is gone, however it ended.
    (
        trap '' TERM INT
        while kill -0 "$scriptPid" 2>/dev/null; do sleep 1; done
        if [ -f "$XS_TMP/pids" ]; then
            while read -r pid; do
                kill -KILL -- "-$pid" 2>/dev/null || kill -KILL "$pid" 2>/dev/null
            done <"$XS_TMP/pids"
        fi
        kill -TERM "$XS_XVFB_PID" 2>/dev/null
        rm -rf "$XS_TMP"
    ) >/dev/null 2>&1 </dev/null &
    xs_wait_until 10 test -s "$XS_TMP/display" || xs_fail "Xvfb did not start: $(cat "$XS_TMP/xvfb.log")"
    export DISPLAY=":$(head -n1 "$XS_TMP/display")"
    xs_wait_until 10 xdpyinfo >/dev/null 2>&1 || xs_fail "X server $DISPLAY does not answer"
}

xs_start_wm()
{
    openbox --sm-disable >"$XS_TMP/openbox.log" 2>&1 &
    xs_track $!
    xs_wait_until 20 wmctrl -m >/dev/null 2>&1 || xs_fail "openbox did not start: $(cat "$XS_TMP/openbox.log")"
    # openbox announces itself before it is done starting; a window mapped in that time was seen never to be
    # shown, leaving CImg waiting for its first expose.
    sleep 1
}

xs_wait_until()
{
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
    return 0
}

# Prints the id of a viewable window with exactly this title, or fails.
xs_viewable_window()
{
    local info
    info="$(xwininfo -name "$1" 2>/dev/null)" || return 1
    grep -q "Map State: IsViewable" <<<"$info" || return 1
    sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p' <<<"$info"
}

xs_wait_window()
{
    local name=$1 seconds=${2:-10}
    xs_wait_until "$seconds" xs_viewable_window "$name" >/dev/null || return 1
    xs_viewable_window "$name"
}

xs_window_gone()
{
    ! xs_viewable_window "$1" >/dev/null
}

xs_wait_window_gone()
{
    xs_wait_until "${2:-10}" xs_window_gone "$1"
}

xs_window_geometry()
{
    local info
    info="$(xwininfo -id "$1")" || return 1
    XS_X=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
    XS_Y=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
    XS_W=$(sed -n 's/^ *Width: *//p' <<<"$info")
    XS_H=$(sed -n 's/^ *Height: *//p' <<<"$info")
}

xs_screenshot()
{
    local id=$1 file=$2
    xs_window_geometry "$id" || return 1
    mkdir -p "$(dirname "$file")"
    import -window root -crop "${XS_W}x${XS_H}+${XS_X}+${XS_Y}" +repage "$file"
}

xs_hold_key()
{
    xdotool keydown "$1"
    sleep "${2:-0.25}"
    xdotool keyup "$1"
}
