#!/usr/bin/env bash
# Started with standard input and standard error closed, pathsketch must not take its X connection for the
# console: the save prompt finds the end of input, the window keeps answering, and the pause ends at once.
source "$(dirname "${BASH_SOURCE[0]}")/pathsketch.sh"

xs_start
ps_start bash -c 'exec "$0" <&- 2>&-'
[ "$(readlink "/proc/$PS_PID/exe")" = "$PATHSKETCH" ] || xs_fail "process $PS_PID is not pathsketch"
# Reading a socket that Xlib made non-blocking mostly fails at once, which hides the fault: look at the
# descriptors themselves.
for descriptor in 0 2; do
    target="$(readlink "/proc/$PS_PID/fd/$descriptor")"
    [ "$target" = /dev/null ] || xs_fail "descriptor $descriptor is $target, not /dev/null"
done

ps_stroke 100,100 110,110 120,120
ps_answer Return
ps_hold space
ps_wait_console "choisissez le nom du fichier ou enregistrer la bibliotheque"
ps_wait_console "aucun nom de fichier lu : bibliotheque non enregistree"

ps_stroke 200,200 210,210
ps_answer Escape
ps_hold Escape
xs_wait_window_gone "Draw Trajectory" 10 || xs_fail "ESC did not close the window"
ps_expect_exit 0
[ "$(ls "$PS_RUN" | tr '\n' ' ')" = "console.in console.out " ] || xs_fail "files were written: $(ls "$PS_RUN")"
echo "pathsketch with standard input closed: ok"
