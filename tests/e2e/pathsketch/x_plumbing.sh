#!/usr/bin/env bash
# pathsketch's X plumbing in one session: the pixels the pointer visits become the stroke's keys and light up;
# the keep question is answered from the keyboard; U, SPACE, P, G and L held over the window act once each (P
# also when held past the keyboard's auto-repeat), the preview is drawn and a click stops it; the console asks
# for the file name and reads it; ESC closes the idle window and the program waits at the pause for input.
# What the session does with each event, edge cases included, is proven by its fake-window tests (tests/unit/tool).
source "$(dirname "${BASH_SOURCE[0]}")/pathsketch.sh"
readonly kTrailColour="#EBBE64"
readonly kDotColour="#FF4628"

wave_points()
{
    awk 'BEGIN { for (x = 100; x <= 400; x += 6) printf "%d,%d ", x, 300 + 90 * sin((x - 100) / 48) }'
}

lit_pixels()
{
    convert "$1" -colorspace gray -threshold 50% txt:- | awk -F'[,:]' '/#FFFFFF|white/ { print $1 "," $2 }'
}

colour_count()
{
    convert "$1" -format %c histogram:info:- | awk -v colour="$2" 'index($0, colour) { sum += $1 } END { print sum + 0 }'
}

window_is_black()
{
    xs_screenshot "$PS_WINDOW" "$XS_TMP/now.png" && [ "$(convert "$XS_TMP/now.png" -format '%[max]' info:)" = 0 ]
}

preview_shown()
{
    xs_screenshot "$PS_WINDOW" "$XS_TMP/now.png" && [ "$(colour_count "$XS_TMP/now.png" "$kDotColour")" -gt 20 ]
}

xs_start
ps_start

# A stroke lit as it is drawn, on the visited pixels only, kept with Return; the window is black after the answer.
read -r -a wave <<<"$(wave_points)"
ps_press "${wave[0]%,*}" "${wave[0]#*,}"
ps_drag "${wave[@]:1}"
sleep 0.3
xs_screenshot "$PS_WINDOW" "$PS_ARTIFACTS/pathsketch-stroke.png"
ps_release
firstStroke=("${PS_VISITED[@]}")
ps_answer Return
mapfile -t lit < <(lit_pixels "$PS_ARTIFACTS/pathsketch-stroke.png")
[ ${#lit[@]} -ge $((${#firstStroke[@]} / 2)) ] || xs_fail "only ${#lit[@]} lit pixels in the screenshot"
for pixel in "${lit[@]}"; do
    [[ " ${firstStroke[*]} " == *" $pixel "* ]] || xs_fail "pixel $pixel is lit but was not visited"
done
xs_screenshot "$PS_WINDOW" "$PS_ARTIFACTS/pathsketch-after-answer.png"
[ -z "$(lit_pixels "$PS_ARTIFACTS/pathsketch-after-answer.png")" ] || xs_fail "the window is not black after the answer"

# Escape answers No; U takes back the last kept stroke, whose name the next kept one takes.
ps_stroke 50,600 60,590 70,580 80,570
ps_answer Escape
ps_stroke 300,300 305,310 310,320
ps_answer Return
ps_hold u
ps_wait_console "dessin retire : traj2"
ps_stroke 300,500 310,505 320,510 330,515 340,520 350,525
lastStroke=("${PS_VISITED[@]}")
ps_answer Return
ps_save library.xml
ps_expect_strokes "$PS_RUN/library.xml" traj1=firstStroke traj2=lastStroke
cp "$PS_RUN/library.xml" "$PS_ARTIFACTS/pathsketch-library.xml"

# P held past the keyboard's auto-repeat delay: the repeats are no new press and must not stop the preview.
ps_move 470 680
xdotool keydown p
sleep 1
xs_screenshot "$PS_WINDOW" "$PS_ARTIFACTS/pathsketch-preview.png"
xdotool keyup p
[ "$(colour_count "$PS_ARTIFACTS/pathsketch-preview.png" "$kDotColour")" -gt 20 ] || xs_fail "no moving dot"
[ "$(colour_count "$PS_ARTIFACTS/pathsketch-preview.png" "$kTrailColour")" -gt 10 ] || xs_fail "no trail"
ps_wait_console "apercu de traj1"
xs_wait_until 30 window_is_black || xs_fail "the window is not black after the preview"
# G starts the preview at the game's speed; a click stops it without starting a stroke.
ps_hold g
xs_wait_until 5 preview_shown || xs_fail "G did not start the preview"
ps_move $((PS_FRAME_WIDTH / 2)) $((PS_FRAME_HEIGHT / 2))
xdotool mousedown 1
sleep 0.1
xdotool mouseup 1
xs_wait_until 5 window_is_black || xs_fail "the click did not stop the preview"
sleep 1
! xs_viewable_window info >/dev/null || xs_fail "the click that stopped the preview started a stroke"

# L reloads the file as it now is on disk; a save under another name writes what was reloaded.
printf '%s\n' '<?xml version="1.0" ?>' '<Trajectories>' \
    '<Trajectory name="edited" >' $'\t<TrackPos>' \
    $'\t\t<Elem time="0"  px="240"  py="360" />' $'\t\t<Elem time="40"  px="260"  py="340" />' \
    '</TrackPos><TrackYaw>' '</TrackYaw></Trajectory>' \
    '' '</Trajectories>' >"$PS_RUN/library.xml"
ps_hold l
ps_save second.xml
cmp -s "$PS_RUN/library.xml" "$PS_RUN/second.xml" ||
    xs_fail "second.xml differs from the reloaded file: $(diff "$PS_RUN/library.xml" "$PS_RUN/second.xml")"

# ESC on the idle window closes it; the program waits at the pause until input arrives, and exits with 0.
ps_hold Escape
xs_wait_window_gone "Draw Trajectory" 10 || xs_fail "ESC when idle did not close the window"
xs_wait_until 10 grep -q "Appuyez sur une touche pour continuer" "$PS_RUN/console.out" || xs_fail "no pause prompt"
sleep 1
ps_is_running || xs_fail "pathsketch did not wait at the pause"
echo >&4
ps_expect_exit 0
echo "pathsketch X plumbing: ok"
