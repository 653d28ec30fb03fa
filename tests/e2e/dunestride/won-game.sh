#!/usr/bin/env bash
# Runners that never come near the hero: after 180 s of play the won picture is shown.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../lib/xsession.sh"
source "$here/dunestride-session.sh"

# A small screen: the game draws in software for three minutes beside the other tests, and the pictures are
# checked at any size.
xs_start 800x600x24
xs_start_wm
ds_setup won-game
ds_library "$here/libraries/far-from-start.xml"
ds_start_game
ds_answer_dialog accept
ds_wait_game_window
ds_wait_picture Debut 30 || xs_fail "the start picture is not shown"
# Play time starts with the press; screenshots take seconds on a busy machine, so time is counted from here.
started=$SECONDS
ds_hold_key space 1.0
ds_shows_picture Debut && xs_fail "SPACE did not start the game"

sleep $((165 - (SECONDS - started)))
ds_shows_picture Win && xs_fail "won before 180 s of play"
ds_wait_picture Win 60 || xs_fail "no won picture after $((SECONDS - started)) s"
echo "won picture after $((SECONDS - started)) s"
ds_shot won

ds_hold_key space 1.0
ds_wait_picture Debut 20 || xs_fail "SPACE on the won picture did not bring the start picture back"
ds_hold_key Escape 1.0
ds_wait_exit 30
[ "$DS_STATUS" -eq 0 ] || xs_fail "exit code $DS_STATUS"
ds_log_has "Ended!" || xs_fail "Ended! missing"
echo "PASS won game"
