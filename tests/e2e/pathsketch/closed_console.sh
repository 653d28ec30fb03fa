#!/usr/bin/env bash
# Started with standard input and standard error closed, pathsketch must not take its X connection for the
# console: the save prompt finds the end of input and nothing is written. The window's close button (through a
# window manager) then ends the program, whose pause ends at once at the end of input, with 0.
source "$(dirname "${BASH_SOURCE[0]}")/pathsketch.sh"

xs_start
xs_start_wm
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
wmctrl -c "Draw Trajectory"
xs_wait_window_gone "Draw Trajectory" 10 || xs_fail "the close button did not close the window"
ps_expect_exit 0
[ "$(ls "$PS_RUN" | tr '\n' ' ')" = "console.in console.out " ] || xs_fail "files were written: $(ls "$PS_RUN")"
echo "pathsketch with its console closed, and the close button: ok"
