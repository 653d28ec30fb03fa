#!/usr/bin/env bash
# A press on pixel row 0 starts and ends a stroke at once: Yes stores traj1 without keys, which the file shows
# with an empty track, and which the reader skips (L then a second save give an empty library).
source "$(dirname "${BASH_SOURCE[0]}")/pathsketch.sh"

xs_start
ps_start

ps_press 200 0
xs_wait_window info 15 >/dev/null || xs_fail "the keep question did not come with the press on row 0"
ps_release
ps_answer Return

ps_save toprow.xml
expected="$(printf '%s\n' '<?xml version="1.0" ?>' '<Trajectories>' '<Trajectory name="traj1" >' $'\t<TrackPos>' \
    '</TrackPos><TrackYaw>' '</TrackYaw></Trajectory>' '' '</Trajectories>')"
[ "$(cat "$PS_RUN/toprow.xml")" = "$expected" ] || xs_fail "toprow.xml is: $(cat "$PS_RUN/toprow.xml")"
ps_library "$PS_RUN/toprow.xml" >/dev/null

ps_hold l
ps_save reread.xml
[ "$(ps_library "$PS_RUN/reread.xml")" = "" ] || xs_fail "the reader kept the empty trajectory"
echo "pathsketch row 0 press: ok"
