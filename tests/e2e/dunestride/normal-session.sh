#!/usr/bin/env bash
# A whole session as a player has it: the configuration dialog, the start picture, a hero caught by a runner,
# the lost picture, back to the start picture, the steering keys, the camera keys, and Escape.
#
# The library's runners walk up the picture at 1.5 units a second, from 30 units below the hero's start
# straight through it to 15 units above: a hero that stands still is caught after about 20 s. The
# time survived is shown in a corner during play and over the lost picture, and kept as the best time.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../lib/xsession.sh"
source "$here/dunestride-session.sh"

# Holds KEY for SECONDS, then checks that the picture changed in more than MIN pixels.
key_changes_picture()
{
    local key=$1 seconds=$2 min=$3
    ds_hold_key "$key" "$seconds"
    ds_shot "after-$key"
    ds_differ "$previous" "after-$key" "$min" || xs_fail "key $key changed too little on the screen"
    previous="after-$key"
}

xs_start
xs_start_wm
ds_setup normal-session
ds_library "$here/libraries/up-through-start.xml"
ds_start_game
ds_answer_dialog accept
ds_wait_game_window

ds_wait_picture Debut 30 || xs_fail "the start picture is not shown"
ds_shot start

# First game: the hero stands still on the runners' path and is caught. The play time in the viewport's
# top-left corner: light text on a dark panel, ticking on between two shots of the unmoved camera.
ds_hold_key space 1.0
ds_shows_picture Debut && xs_fail "SPACE did not start the game"
ds_shot play-start
sleep 1.5
ds_shot play-later
ds_crop_view play-start corner 12 12 140 50
ds_crop_view play-later corner 12 12 140 50
ds_text_on_dark "$DS_DIR/play-start-corner.png" || xs_fail "no play time in the corner"
ticked="$(ds_pixels_differing "$DS_DIR/play-start-corner.png" "$DS_DIR/play-later-corner.png")"
[ "$ticked" -gt 20 ] || xs_fail "the play time does not change ($ticked pixels)"
ds_wait_picture Lost 60 || xs_fail "the lost picture did not follow the catch"
ds_shot lost
# The time of the game and the best time, over the top of the picture, and in the best time file.
xs_window_geometry "$DS_WINDOW"
ds_crop_view lost result $((XS_W * 3 / 10 - 70)) 12 140 50
ds_crop_picture Lost result $((XS_W * 3 / 10 - 70)) 12 140 50
ds_text_on_dark "$DS_DIR/lost-result.png" || xs_fail "no time over the lost picture"
covered="$(ds_pixels_differing "$DS_DIR/lost-result.png" "$DS_DIR/Lost-result.png")"
[ "$covered" -gt 100 ] || xs_fail "the top of the lost picture is as painted ($covered pixels differ)"
grep -qxE '[0-9]+\.[0-9]{3}' "$DS_DIR/best-time.txt" || xs_fail "best time not kept: $(cat "$DS_DIR/best-time.txt")"

ds_hold_key space 1.0
ds_wait_picture Debut 20 || xs_fail "SPACE on the lost picture did not bring the start picture back"

# Second game: Y held for a second takes the hero 25 units up the picture, above the runners' whole path,
# before the first of them comes near. There each steering key moves him, a small figure whose move changes a
# few hundred pixels, by about 10 units, which keeps him in view (the camera does not follow him). Then the
# camera keys move the view (each held for about half the ground texture's 40-unit period, so that the pattern
# cannot line up again, and undone by the opposite key).
ds_hold_key space 1.0
ds_shows_picture Debut && xs_fail "SPACE did not start the second game"
ds_hold_key y 1.0
ds_shot before-keys
previous=before-keys
key_changes_picture j 0.4 100
key_changes_picture y 0.4 100
key_changes_picture h 0.4 100
key_changes_picture g 0.4 100
key_changes_picture Up 0.45 10000
key_changes_picture Down 0.45 10000
key_changes_picture Left 0.45 10000
key_changes_picture Right 0.45 10000

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
