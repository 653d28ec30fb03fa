#!/usr/bin/env bash
# L reloads the last file: after the file is changed on disk, L and a save under another name give a file that
# holds what was reloaded, and the drawing made before the reload is gone.
source "$(dirname "${BASH_SOURCE[0]}")/pathsketch.sh"

xs_start
ps_start

ps_stroke 100,100 110,110 120,120
ps_answer Return
ps_save first.xml
grep -q 'name="traj1"' "$PS_RUN/first.xml" || xs_fail "first.xml does not hold the drawing"

printf '%s\n' '<?xml version="1.0" ?>' '<Trajectories>' \
    '<Trajectory name="edited" >' $'\t<TrackPos>' \
    $'\t\t<Elem time="0"  px="240"  py="360" />' $'\t\t<Elem time="40"  px="260"  py="340" />' \
    '</TrackPos><TrackYaw>' '</TrackYaw></Trajectory>' \
    '<Trajectory name="traj5" >' $'\t<TrackPos>' $'\t\t<Elem time="0"  px="1"  py="2" />' \
    '</TrackPos><TrackYaw>' '</TrackYaw></Trajectory>' \
    '' '</Trajectories>' >"$PS_RUN/first.xml"
cp "$PS_RUN/first.xml" "$PS_ARTIFACTS/pathsketch-reloaded-source.xml"

ps_hold l
ps_save second.xml
cmp -s "$PS_RUN/first.xml" "$PS_RUN/second.xml" ||
    xs_fail "second.xml differs from the reloaded file: $(diff "$PS_RUN/first.xml" "$PS_RUN/second.xml")"
echo "pathsketch reloads with L: ok"
