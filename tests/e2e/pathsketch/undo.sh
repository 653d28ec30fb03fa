#!/usr/bin/env bash
# Two strokes kept, U takes back the second; the next kept stroke takes its name, and the saved file holds
# exactly the first and the last stroke as traj1 and traj2.
source "$(dirname "${BASH_SOURCE[0]}")/pathsketch.sh"

xs_start
ps_start

ps_stroke 100,100 110,105 120,110 130,115 140,120
firstStroke=("${PS_VISITED[@]}")
ps_answer Return
ps_stroke 300,300 305,310 310,320
ps_answer Return
ps_hold u
ps_wait_console "dessin retire : traj2"
ps_stroke 200,500 210,490 220,480 230,470
lastStroke=("${PS_VISITED[@]}")
ps_answer Return

ps_save library.xml
ps_expect_strokes "$PS_RUN/library.xml" traj1=firstStroke traj2=lastStroke
echo "pathsketch undo: ok"
