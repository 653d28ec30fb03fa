#!/usr/bin/env bash
# V shows the guides over the game's library: the outline of the start view, the hero's start place and the
# library's drawings; the dots of a stroke drawn slowly, then quickly, take the slower and the faster colours.
# V again leaves the window black. Keeps the screenshot of the stroke over the guides.
source "$(dirname "${BASH_SOURCE[0]}")/pathsketch.sh"
: "${PS_GAME_LIBRARY:?the library1.xml of the game}"

readonly kCameraViewColour="#5082C8"
readonly kHeroStartColour="#00D2E6"
readonly kKeptDrawingColour="#555555"
readonly kSlowerColour="#46D25A"
readonly kFasterColour="#FF3C28"

# Points from (X, Y) by STEP pixels to the right and half as much up, COUNT times.
steps()
{
    awk -v x="$1" -v y="$2" -v step="$3" -v count="$4" \
        'BEGIN { for (i = 1; i <= count; i++) printf "%d,%d ", x + i * step, y - i * step / 2 }'
}

xs_start
mkdir -p "$XS_TMP/run"
cp "$PS_GAME_LIBRARY" "$XS_TMP/run/library1.xml"
PS_ARGS=(library1.xml)
ps_start
ps_hold v

# About 1, 9 and 30 pixels per 30 ms: 3, 27 and 90 units/s in the game.
read -r -a slow <<<"$(steps 40 660 1 40)"
read -r -a medium <<<"$(steps 80 640 9 12)"
read -r -a fast <<<"$(steps 188 586 30 9)"
ps_steady_stroke 40,660 "${slow[@]}" "${medium[@]}" "${fast[@]}"
sleep 0.3
shot="$PS_ARTIFACTS/pathsketch-guides.png"
xs_screenshot "$PS_WINDOW" "$shot"
ps_release
ps_answer Escape

for colour in "$kCameraViewColour" "$kHeroStartColour" "$kKeptDrawingColour"; do
    [ "$(ps_colour_count "$shot" "$colour")" -gt 10 ] || xs_fail "no guide in $colour in $shot"
done
[ "$(ps_colour_count "$shot" "$kSlowerColour")" -gt 10 ] || xs_fail "the slow part is not in the slower colour"
[ "$(ps_colour_count "$shot" "$kFasterColour")" -gt 3 ] || xs_fail "the fast part is not in the faster colour"

xs_screenshot "$PS_WINDOW" "$XS_TMP/after-answer.png"
[ "$(ps_colour_count "$XS_TMP/after-answer.png" "$kCameraViewColour")" -gt 10 ] ||
    xs_fail "the guides are gone after the keep question"
ps_hold v
xs_screenshot "$PS_WINDOW" "$XS_TMP/hidden.png"
[ "$(convert "$XS_TMP/hidden.png" -format '%[max]' info:)" = 0 ] || xs_fail "the window is not black after V"
echo "pathsketch guides: ok"
