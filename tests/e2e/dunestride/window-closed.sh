#!/usr/bin/env bash
# Closing the game window through the window manager ends the frame loop and tears everything down.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../lib/xsession.sh"
source "$here/dunestride-session.sh"

xs_start
xs_start_wm
ds_setup window-closed
ds_library "$here/libraries/through-start.xml"
ds_start_game
ds_answer_dialog accept
ds_wait_game_window
ds_wait_picture Debut 30 || xs_fail "the start picture is not shown"
ds_hold_key space 1.0

wmctrl -c tutos_Ogre || xs_fail "the window manager does not know the game window"
ds_wait_exit 30
[ "$DS_STATUS" -eq 0 ] || xs_fail "exit code $DS_STATUS"
ds_log_in_order \
    "*** creation of the input/output system ***" \
    "*** end Destruction AppliOgreFromScratch!***" \
    "Ended!" || xs_fail "progress lines"
echo "PASS window closed"
