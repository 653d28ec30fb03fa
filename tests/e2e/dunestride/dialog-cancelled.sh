#!/usr/bin/env bash
# Cancelling the configuration dialog ends the program cleanly before any window, data or input exists.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../lib/xsession.sh"
source "$here/dunestride-session.sh"

xs_start
xs_start_wm
ds_setup dialog-cancelled
ds_library "$here/libraries/through-start.xml"
ds_start_game
ds_answer_dialog cancel
ds_wait_exit 30
[ "$DS_STATUS" -eq 0 ] || xs_fail "exit code $DS_STATUS"
xs_window_gone tutos_Ogre || xs_fail "a game window was opened"
ds_log_in_order \
    "*** LogManager constructed!***" \
    "*** root construction!***" \
    "*** chargement des plugins !***" \
    "*** building the window !***" \
    "*** end Destruction AppliOgreFromScratch!***" \
    "Ended!" || xs_fail "progress lines"
for skipped in "*** declaration of the datas!***" "*** creation of the input/output system ***"; do
    ds_log_has "$skipped" && xs_fail "logged after the cancel: $skipped"
done
echo "PASS dialog cancelled"
