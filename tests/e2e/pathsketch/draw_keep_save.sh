#!/usr/bin/env bash
# Three strokes answered Yes, No, Yes, then SPACE and a file name: the file holds exactly traj1 and traj2 in the
# library format, with keys on the pixels the pointer visited and growing times. Keeps a screenshot of the
# window with the first stroke lit.
source "$(dirname "${BASH_SOURCE[0]}")/pathsketch.sh"

wave_points()
{
    awk 'BEGIN { for (x = 100; x <= 400; x += 6) printf "%d,%d ", x, 300 + 90 * sin((x - 100) / 48) }'
}

lit_pixels()
{
    convert "$1" -colorspace gray -threshold 50% txt:- | awk -F'[,:]' '/#FFFFFF|white/ { print $1 "," $2 }'
}

xs_start
ps_start

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

ps_stroke 50,600 60,590 70,580 80,570
ps_answer Escape

ps_stroke 300,500 310,505 320,510 330,515 340,520 350,525
thirdStroke=("${PS_VISITED[@]}")
ps_answer Return

ps_save library.xml
ps_expect_strokes "$PS_RUN/library.xml" traj1=firstStroke traj2=thirdStroke
cp "$PS_RUN/library.xml" "$PS_ARTIFACTS/pathsketch-library.xml"
echo "pathsketch draws, keeps and saves: ok"
