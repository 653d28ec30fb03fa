#!/usr/bin/env bash
# Without trajectories ("library1.xml" empty, or missing when called with "missing") the game says so in a
# message box and ends after one frame once the box is answered.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../lib/xsession.sh"
source "$here/dunestride-session.sh"
variant="${1:-empty}"

xs_start
xs_start_wm
ds_setup "library-$variant"
[ "$variant" = empty ] && ds_library "$here/libraries/empty.xml"
ds_start_game
ds_answer_dialog accept

box="$(xs_wait_window "Probleme!" 60)" || xs_fail "no message box titled Probleme!"
sleep 0.5
xs_screenshot "$box" "$DS_DIR/message-box.png"
ds_running || xs_fail "the program did not wait for the message box"
ds_log_has "*** creation of the input/output system ***" || xs_fail "the box came before the input system"

# The box must get the keyboard although the game's input system exists.
xdotool windowactivate --sync "$box" 2>/dev/null || true
xs_hold_key Return 0.3
xs_wait_window_gone "Probleme!" 10 || xs_fail "the message box did not take the Return key"
ds_wait_exit 30
[ "$DS_STATUS" -eq 0 ] || xs_fail "exit code $DS_STATUS"
ds_log_in_order \
    "*** creation of the input/output system ***" \
    "*** end Destruction AppliOgreFromScratch!***" \
    "Ended!" || xs_fail "progress lines"
echo "PASS $variant library"
