#!/usr/bin/env bash
# A whole session as a player has it: the configuration dialog, the start picture, play with the hero and
# camera keys, a hero caught by a runner, the lost picture, back to the start picture, and Escape.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../lib/xsession.sh"
source "$here/dunestride-session.sh"

xs_start
ds_start_wm
ds_setup normal-session
ds_library "$here/libraries/through-start.xml"
ds_start_game
ds_answer_dialog accept
ds_wait_game_window

ds_wait_picture Debut 30 || xs_fail "the start picture is not shown"
ds_shot start

# First game: the hero stands still on the runners' path and is caught.
ds_hold_key space 1.0
ds_shows_picture Debut && xs_fail "SPACE did not start the game"
sleep 1
ds_shot play-start
ds_wait_picture Lost 90 || xs_fail "the lost picture did not follow the catch"
ds_shot lost

ds_hold_key space 1.0
ds_wait_picture Debut 20 || xs_fail "SPACE on the lost picture did not bring the start picture back"

# Second game: each camera key moves the view and each steering key the hero, before the runners arrive
# (they walk 2 units a second from 75 units away); the hero leaves their path first.
ds_hold_key space 1.0
ds_shows_picture Debut && xs_fail "SPACE did not start the second game"
ds_shot before-keys
previous=before-keys
# A camera move shifts the whole ground, held for about half the ground texture's 40-unit period so that the
# pattern cannot line up again; the hero is a small figure, so its move changes a few hundred pixels.
for key in Up:10000 Down:10000 Left:10000 Right:10000 j:100 y:100 g:100 h:100; do
    ds_hold_key "${key%%:*}" 0.45
    ds_shot "after-${key%%:*}"
    ds_differ "$previous" "after-${key%%:*}" "${key##*:}" || xs_fail "key ${key%%:*} changed too little on the screen"
    previous="after-${key%%:*}"
done

ds_hold_key Escape 1.0
ds_wait_exit 30
[ "$DS_STATUS" -eq 0 ] || xs_fail "exit code $DS_STATUS"
ds_log_in_order \
    "*** LogManager constructed!***" \
    "*** root construction!***" \
    "*** chargement des plugins !***" \
    "*** building the window !***" \
    "*** declaration of the datas!***" \
    "*** initialisation of the declared datas !***" \
    "*** creation of the input/output system ***" \
    "*** end Destruction AppliOgreFromScratch!***" \
    "Ended!" || xs_fail "progress lines"
tail -n1 "$DS_DIR/OgreTutos.log" | grep -q "Ended!$" || xs_fail "Ended! is not the last line"
echo "PASS normal session"
