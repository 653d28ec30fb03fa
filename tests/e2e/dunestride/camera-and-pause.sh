#!/usr/bin/env bash
# The camera and the pointer: the pointer leaving the window at one place and coming back at another does not
# turn the camera, and Home (or C) puts the camera back to its start view whatever the mouse did to it. Then the
# pause: Tab stops the game, its picture and clock stand still until Pause plays on.
#
# The library's runners all stand still beside the hero, so the picture changes only when the camera moves.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../lib/xsession.sh"
source "$here/dunestride-session.sh"

# Succeeds when the scene in the two screenshots is the same up to the figures' own movement.
same_view()
{
    ! ds_differ "$1" "$2" 3000
}

# Pixels that differ between two whole screenshots, clock included.
pixels_changed()
{
    ds_pixels_differing "$DS_DIR/$1.png" "$DS_DIR/$2.png"
}

xs_start
xs_start_wm
ds_setup camera-and-pause
ds_library "$here/libraries/standing-beside-start.xml"
ds_start_game
ds_answer_dialog accept
ds_wait_game_window
ds_wait_picture Debut 30 || xs_fail "the start picture is not shown"
xs_window_geometry "$DS_WINDOW"
middleY=$((XS_Y + XS_H / 2))

ds_hold_key space 1.0
sleep 2
ds_shot start-view

# Out through the left edge, over the title bar (the window fills the screen below it), and in again near the
# right edge: the pointer never moves over the window but for the moment it comes back.
xdotool mousemove "$((XS_X - 1))" "$middleY"
sleep 0.5
xdotool mousemove "$((XS_X + XS_W - 20))" "$((XS_Y / 2))"
sleep 0.5
xdotool mousemove "$((XS_X + XS_W - 20))" "$middleY"
sleep 1.5
ds_shot re-entered
same_view start-view re-entered || xs_fail "the camera turned when the pointer came back into the window"

for key in Home c; do
    for move in 1 2 3 4 5 6; do
        xdotool mousemove_relative -- -40 25
        sleep 0.2
    done
    sleep 0.5
    ds_shot "turned-$key"
    ds_differ start-view "turned-$key" 20000 || xs_fail "the mouse did not turn the camera"
    ds_hold_key "$key" 0.6
    sleep 1
    ds_shot "back-$key"
    same_view start-view "back-$key" || xs_fail "$key did not bring the camera back to its start view"
done

ds_hold_key Tab 0.6
sleep 1
ds_shot paused
sleep 5
ds_shot paused-later
changed="$(pixels_changed paused paused-later)"
echo "pixels changed in 5 s of pause: $changed"
[ "$changed" -eq 0 ] || xs_fail "the paused game moved on"
ds_hold_key Pause 0.6
sleep 2
ds_shot resumed
changed="$(pixels_changed paused resumed)"
echo "pixels changed after resuming: $changed"
[ "$changed" -gt 100 ] || xs_fail "the game did not play on after Pause"

ds_hold_key Escape 1.0
ds_wait_exit 30
[ "$DS_STATUS" -eq 0 ] || xs_fail "exit code $DS_STATUS"
echo "PASS camera and pause"
