#!/usr/bin/env bash
# Helpers for the end-to-end tests of pathsketch. Source after ../lib/xsession.sh; the test script gets the
# program and the artifact folder as its two arguments:  test.sh PATHSKETCH ARTIFACT_DIR
# The environment gives the drawing frame's size in PS_FRAME_WIDTH and PS_FRAME_HEIGHT.
#
#   ps_start [WRAPPER...]      starts pathsketch in $PS_RUN with its console on $PS_RUN/console.{in,out}, with
#                              the arguments in the array PS_ARGS
#   ps_move X Y                moves the pointer to window pixel (X, Y) (one pointer event)
#   ps_stroke X,Y X,Y ...      presses the left button on the first pixel, moves through the others, releases;
#                              the pixels go to PS_VISITED (ps_press X Y, ps_drag X,Y ..., ps_release in parts)
#   ps_steady_stroke X,Y X,Y ...  presses on the first pixel and moves through the others every 30 ms, without
#                              releasing
#   ps_colour_count PNG COLOUR  the number of pixels of PNG in COLOUR (#RRGGBB)
#   ps_expect_keys_on_visited NAME   checks NAME's keys (ps_library records on stdin) against PS_VISITED
#   ps_expect_strokes FILE NAME=ARRAY ...   checks that FILE holds exactly these trajectories, each with its
#                              keys on the pixels in the named array (a saved PS_VISITED)
#   ps_answer Return|Escape    answers the keep question
#   ps_hold KEY                holds KEY over the drawing window
#   ps_save NAME               SPACE, then NAME at the console prompt; waits for the file
#   ps_wait_console TEXT       waits until the console shows the line TEXT
#   ps_library FILE            checks FILE's exact format and prints "TRAJ name" and "KEY name time px py" lines
#   ps_expect_exit CODE        waits for the program's end and checks its exit code

set -euo pipefail
PS_HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$PS_HERE/../lib/xsession.sh"

PATHSKETCH="$(realpath "${1:?usage: $0 PATHSKETCH ARTIFACT_DIR}")"
PS_ARTIFACTS="${2:?usage: $0 PATHSKETCH ARTIFACT_DIR}"
: "${PS_FRAME_WIDTH:?the drawing frame's width}" "${PS_FRAME_HEIGHT:?the drawing frame's height}"
mkdir -p "$PS_ARTIFACTS"
PS_VISITED=()
PS_ARGS=()

ps_start()
{
    PS_RUN="$XS_TMP/run"
    mkdir -p "$PS_RUN"
    chmod a+rx "$XS_TMP" "$PS_RUN"
    mkfifo "$PS_RUN/console.in"
    (cd "$PS_RUN" && exec setsid "$@" "$PATHSKETCH" ${PS_ARGS[@]+"${PS_ARGS[@]}"} <console.in >console.out 2>&1) &
    PS_PID=$!
    xs_track "$PS_PID"
    exec 4>"$PS_RUN/console.in"
    PS_WINDOW="$(xs_wait_window "Draw Trajectory" 20)" ||
        xs_fail "the drawing window did not appear (running: $(ps_is_running && echo yes || echo no));" \
            "console: $(cat "$PS_RUN/console.out"); windows: $(xwininfo -root -tree | grep -c '"')"
    xs_window_geometry "$PS_WINDOW"
    [ "$XS_W" = "$PS_FRAME_WIDTH" ] && [ "$XS_H" = "$PS_FRAME_HEIGHT" ] ||
        xs_fail "drawing window is ${XS_W}x${XS_H}, not the drawing frame's ${PS_FRAME_WIDTH}x${PS_FRAME_HEIGHT}"
    PS_X=$XS_X
    PS_Y=$XS_Y
}

ps_move()
{
    xdotool mousemove $((PS_X + $1)) $((PS_Y + $2))
    sleep 0.04
}

ps_press()
{
    ps_move "$1" "$2"
    sleep 0.1
    PS_VISITED=("$1,$2")
    xdotool mousedown 1
    sleep 0.1
}

ps_drag()
{
    local point
    for point in "$@"; do
        ps_move "${point%,*}" "${point#*,}"
        PS_VISITED+=("$point")
    done
}

ps_release()
{
    sleep 0.1
    xdotool mouseup 1
}

ps_stroke()
{
    local first=$1
    shift
    ps_press "${first%,*}" "${first#*,}"
    ps_drag "$@"
    ps_release
}

# One xdotool run for the whole stroke keeps a steady pace, much quicker than one run per point.
ps_steady_stroke()
{
    local moves=() point
    for point in "${@:2}"; do
        moves+=(mousemove $((PS_X + ${point%,*})) $((PS_Y + ${point#*,})) sleep 0.03)
    done
    ps_press "${1%,*}" "${1#*,}"
    xdotool "${moves[@]}"
}

ps_colour_count()
{
    convert "$1" -format %c histogram:info:- | awk -v colour="$2" 'index($0, colour) { sum += $1 } END { print sum + 0 }'
}

# Checks that the keys of trajectory NAME in the records of ps_library (on stdin) lie on the pixels of
# PS_VISITED in the order they were visited, start at the pressed pixel, cover at least half of them, and have
# growing times.
ps_expect_keys_on_visited()
{
    local name=$1
    awk -v name="$name" -v visited="${PS_VISITED[*]}" '
        BEGIN { count = split(visited, points, " "); next_point = 1; keys = 0; last = -1 }
        $1 == "KEY" && $2 == name {
            keys++
            while (next_point <= count && points[next_point] != $4 "," $5) next_point++
            if (next_point > count) { print "key " $4 "," $5 " is not a visited pixel (in order)"; exit 1 }
            if (keys == 1 && next_point != 1) { print "first key " $4 "," $5 " is not the pressed pixel"; exit 1 }
            if ($3 + 0 <= last) { print "time " $3 " does not grow after " last; exit 1 }
            last = $3 + 0; next_point++
        }
        END { if (keys * 2 < count) { print name " has " keys " keys for " count " visited pixels"; exit 1 } }
    ' || xs_fail "the keys of $name do not match the stroke"
}

ps_expect_strokes()
{
    local file=$1 records names="" pair
    shift
    records="$(ps_library "$file")"
    for pair in "$@"; do
        names+="TRAJ ${pair%%=*} "
    done
    [ "$(grep '^TRAJ' <<<"$records" | tr '\n' ' ')" = "$names" ] ||
        xs_fail "$file holds $(grep '^TRAJ' <<<"$records" | tr '\n' ' ')"
    for pair in "$@"; do
        ps_expect_keys_on_named_stroke "${pair%%=*}" "${pair#*=}" <<<"$records"
    done
}

ps_expect_keys_on_named_stroke()
{
    local -n stroke=$2
    PS_VISITED=("${stroke[@]}")
    ps_expect_keys_on_visited "$1"
}

ps_answer()
{
    local box
    box="$(xs_wait_window info 15)" || xs_fail "the keep question did not appear"
    xs_window_geometry "$box"
    xdotool mousemove $((XS_X + 20)) $((XS_Y + 20))
    sleep 0.2
    xs_hold_key "$1"
    xs_wait_window_gone info 10 || xs_fail "the keep question stayed open after $1"
    # Back over the drawing window, away from where strokes are drawn.
    ps_move 480 680
}

# A pass that is still busy when the key goes down misses that event; the pointer move while the key is held
# gives the program a second event that finds the key down.
ps_hold()
{
    ps_move 470 680
    xdotool keydown "$1"
    sleep 0.15
    ps_move 471 680
    sleep 0.15
    xdotool keyup "$1"
    sleep 0.2
}

ps_wait_console()
{
    xs_wait_until 10 grep -qxF -- "$1" "$PS_RUN/console.out" ||
        xs_fail "the console did not show '$1'; it shows: $(cat "$PS_RUN/console.out")"
}

ps_saves_reported_more_than()
{
    [ "$(grep -c "^nom Fichier : " "$PS_RUN/console.out" || true)" -gt "$1" ]
}

ps_save()
{
    local name=$1 before
    before=$(grep -c "^nom Fichier : " "$PS_RUN/console.out" || true)
    ps_hold space
    ps_wait_console "choisissez le nom du fichier ou enregistrer la bibliotheque"
    echo "$name" >&4
    xs_wait_until 10 ps_saves_reported_more_than "$before" || xs_fail "no save was reported for $name"
    ps_wait_console "nom Fichier : $name"
    # The writer replaces the file only when done; give the pass time to finish.
    sleep 0.3
}

ps_library()
{
    awk '
        function bad(why) { print "BAD line " NR ": " why ": [" $0 "]" > "/dev/stderr"; failed = 1; exit 1 }
        NR == 1 { if ($0 != "<?xml version=\"1.0\" ?>") bad("declaration"); next }
        NR == 2 { if ($0 != "<Trajectories>") bad("root"); state = "top"; next }
        state == "top" && match($0, /^<Trajectory name="[^"]*" >$/) {
            name = substr($0, 19, length($0) - 21); print "TRAJ " name; state = "open"; next }
        state == "top" && $0 == "" { state = "end"; next }
        state == "open" { if ($0 != "\t<TrackPos>") bad("track opening"); state = "keys"; next }
        state == "keys" && $0 ~ /^\t\t<Elem time="[0-9]+"  px="[0-9]+"  py="[0-9]+" \/>$/ {
            split($0, parts, "\""); print "KEY " name " " parts[2] " " parts[4] " " parts[6]; next }
        state == "keys" { if ($0 != "</TrackPos><TrackYaw>") bad("key or track closing"); state = "yaw"; next }
        state == "yaw" { if ($0 != "</TrackYaw></Trajectory>") bad("trajectory closing"); state = "top"; next }
        state == "end" { if ($0 != "</Trajectories>") bad("root closing"); state = "done"; next }
        { bad("unexpected") }
        END { if (!failed && state != "done") { print "BAD: file ends early" > "/dev/stderr"; exit 1 } }
    ' "$1" || xs_fail "$1 is not a library file in the exact format"
    [ "$(tail -c 1 "$1" | od -An -c | tr -d ' ')" = '\n' ] || xs_fail "$1 does not end with a line break"
}

ps_expect_exit()
{
    local expected=$1 status=0
    xs_wait_until 10 ps_has_ended || xs_fail "pathsketch did not end"
    wait "$PS_PID" || status=$?
    [ "$status" = "$expected" ] || xs_fail "pathsketch ended with $status, expected $expected"
}

# Our own child stays a zombie until it is waited for: that counts as ended.
ps_has_ended()
{
    [ ! -e "/proc/$PS_PID/stat" ] || [ "$(awk '{print $3}' "/proc/$PS_PID/stat" 2>/dev/null)" = Z ]
}

ps_is_running()
{
    ! ps_has_ended
}
