#!/usr/bin/env bash
# The camera and the pointer: the pointer moving over the start picture and the pointer leaving the window at one
# place and coming back at another do not turn the camera, and Home (or C) puts the camera back to its start view
# whatever the mouse did to it. Then the pause: Tab stops the game, its picture and clock stand still until Pause
# plays on. SPACE, Tab and Escape are quick taps, pressed and let go between two frames.
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

# Pressed and let go at once: the game must count the press though it never sees the key down.
tap()
{
    xdotool key --delay 0 "$1"
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

# Moves over the start picture must leave the hidden camera where it starts.
xdotool mousemove "$((XS_X + XS_W / 2))" "$middleY"
for move in 1 2 3 4 5 6; do
    xdotool mousemove_relative -- 40 -25
    sleep 0.2
done
tap space
sleep 2
ds_shows_picture Debut && xs_fail "a tap of the space bar did not start the game"
ds_shot start-view
ds_hold_key Home 0.6
sleep 1
ds_shot home-view
same_view start-view home-view || xs_fail "the camera turned behind the start picture"

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

tap Tab
sleep 1
ds_shot paused
sleep 5
ds_shot paused-later
changed="$(pixels_changed paused paused-later)"
echo "pixels changed in 5 s of pause: $changed"
[ "$changed" -eq 0 ] || xs_fail "the paused game moved on"
# Held past the X server's key repeat delay: the repeats must not toggle the pause again.
ds_hold_key Pause 2.0
sleep 2
ds_shot resumed
changed="$(pixels_changed paused resumed)"
echo "pixels changed after resuming: $changed"
[ "$changed" -gt 100 ] || xs_fail "the game did not play on after Pause"

tap Escape
ds_wait_exit 30
[ "$DS_STATUS" -eq 0 ] || xs_fail "exit code $DS_STATUS"
echo "PASS camera and pause"
