#!/usr/bin/env bash
# ESC during a stroke does nothing; ESC when idle closes the window, and the program then waits at the pause
# until input arrives and exits with 0.
source "$(dirname "${BASH_SOURCE[0]}")/pathsketch.sh"

xs_start
ps_start

ps_press 100 200
ps_drag 110,200 120,200
xs_hold_key Escape
ps_drag 130,200 140,200
xs_viewable_window "Draw Trajectory" >/dev/null || xs_fail "ESC during a stroke closed the window"
ps_release
ps_answer Escape
xs_viewable_window "Draw Trajectory" >/dev/null || xs_fail "the window closed with the keep question"

ps_hold Escape
xs_wait_window_gone "Draw Trajectory" 10 || xs_fail "ESC when idle did not close the window"
xs_wait_until 10 grep -q "Appuyez sur une touche pour continuer" "$PS_RUN/console.out" || xs_fail "no pause prompt"
sleep 1
ps_is_running || xs_fail "pathsketch did not wait at the pause"
echo >&4
ps_expect_exit 0
echo "pathsketch ESC and pause: ok"
