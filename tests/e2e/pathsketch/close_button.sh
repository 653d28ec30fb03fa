#!/usr/bin/env bash
# The window's close button (through a window manager) ends the program: the window goes, the program waits at
# the pause and ends with 0 at the end of its input.
source "$(dirname "${BASH_SOURCE[0]}")/pathsketch.sh"

xs_start
xs_start_wm
ps_start

wmctrl -c "Draw Trajectory"
xs_wait_window_gone "Draw Trajectory" 10 || xs_fail "the close button did not close the window"
xs_wait_until 10 grep -q "Appuyez sur une touche pour continuer" "$PS_RUN/console.out" ||
    xs_fail "the program did not reach the pause"
exec 4>&-
ps_expect_exit 0
echo "pathsketch close button: ok"
