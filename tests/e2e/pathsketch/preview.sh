#!/usr/bin/env bash
# A kept stroke played back: P, even held a while, shows a dot moving along a trail and ends on a black window;
# G plays it slower, at the game's speed, and a click stops it without starting a stroke. Nothing is added to the
# library. Keeps a screenshot of the preview in progress.
source "$(dirname "${BASH_SOURCE[0]}")/pathsketch.sh"

readonly kTrailColour="#EBBE64"
readonly kDotColour="#FF4628"

winding_points()
{
    awk -v cx=$((PS_FRAME_WIDTH / 2)) \
        'BEGIN { for (y = 620; y >= 80; y -= 9) printf "%d,%d ", cx + 150 * sin((620 - y) / 80), y }'
}

microseconds_now()
{
    echo "${EPOCHREALTIME/./}"
}

ms_since()
{
    echo $((($(microseconds_now) - $1) / 1000))
}

# Sets SHOT_AT to when the screenshot was taken.
window_is_black()
{
    SHOT_AT=$(microseconds_now)
    xs_screenshot "$PS_WINDOW" "$XS_TMP/now.png" && [ "$(convert "$XS_TMP/now.png" -format '%[max]' info:)" = 0 ]
}

expect_preview_shown()
{
    [ "$(ps_colour_count "$1" "$kDotColour")" -gt 20 ] || xs_fail "no moving dot in $1"
    [ "$(ps_colour_count "$1" "$kTrailColour")" -gt 10 ] || xs_fail "no trail in $1"
}

xs_start
ps_start

read -r -a path <<<"$(winding_points)"
ps_steady_stroke "${path[@]}"
ps_release
ps_answer Return
ps_save before.xml
strokeMs="$(ps_library "$PS_RUN/before.xml" | awk '$1 == "KEY" { last = $3 } END { print last }')"
[ "$strokeMs" -ge 1500 ] || xs_fail "the stroke lasted only $strokeMs ms"

ps_move 470 680
xdotool keydown p
# Held past the keyboard's auto-repeat delay: the repeats are no new press and must not stop the preview.
sleep 1
xs_screenshot "$PS_WINDOW" "$PS_ARTIFACTS/pathsketch-preview.png"
xdotool keyup p
expect_preview_shown "$PS_ARTIFACTS/pathsketch-preview.png"
ps_wait_console "apercu de traj1"
xs_wait_until $((strokeMs / 1000 + 5)) window_is_black || xs_fail "the window is not black after the preview"

gPressedAt=$(microseconds_now)
ps_hold g
# Played as drawn, the stroke and the hold at its end would be over by now.
sleep "$(awk -v ms=$((strokeMs + 1000 - $(ms_since "$gPressedAt"))) 'BEGIN { print (ms > 0 ? ms : 0) / 1000 }')"
xs_screenshot "$PS_WINDOW" "$PS_ARTIFACTS/pathsketch-preview-game-speed.png"
ps_move $((PS_FRAME_WIDTH / 2)) $((PS_FRAME_HEIGHT / 2))
xdotool mousedown 1
sleep 0.1
xdotool mouseup 1
xs_wait_until 5 window_is_black || xs_fail "the click did not stop the preview"
# Left alone, the window turns black only after the whole path at the game's speed and the hold at its end.
blackAfterMs=$(((SHOT_AT - gPressedAt) / 1000))
[ $((blackAfterMs * 3)) -lt $((strokeMs * 10)) ] ||
    xs_fail "the window was black $blackAfterMs ms after G, not before the preview's end at $((strokeMs * 10 / 3)) ms"
expect_preview_shown "$PS_ARTIFACTS/pathsketch-preview-game-speed.png"
sleep 1
! xs_viewable_window info >/dev/null || xs_fail "the click that stopped the preview started a stroke"

ps_save after.xml
cmp -s "$PS_RUN/before.xml" "$PS_RUN/after.xml" || xs_fail "the library changed during the previews"
echo "pathsketch preview: ok"
