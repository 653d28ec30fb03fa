#!/usr/bin/env bash
# What the scene shows around the game: figures cast shadows on the sand that move when the light turns, and
# a camera tilted towards the horizon sees the evening sky, never the viewport's magenta background.
#
# The library's runners all stand still, 21 units from the hero's start, in view of the camera; the hero
# stands still at his start.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../lib/xsession.sh"
source "$here/dunestride-session.sh"
pixels="$here/../lib/pixels.py"

# Count of pixels of a colour class inside the viewport (the middle 60 % of the window) of a screenshot.
# Usage: viewport_count [--sample PERCENT] CLASS SHOT
viewport_count()
{
    local options=()
    [ "$1" = --sample ] && options=(--sample "$2") && shift 2
    python3 "$pixels" "${options[@]}" "$1" "$DS_DIR/$2.png" $((XS_W * 2 / 10)) 0 $((XS_W * 6 / 10)) "$XS_H"
}

# The hero stands at the world origin, 20 units below the middle of the picture: the camera looks straight
# down from 65 units with a vertical field of view of 45 degrees. His shadow falls up the picture, into the
# strip this prints (left, top, width, height), which leaves out the hero himself and his swinging arms.
hero_shadow_box()
{
    local unitPixels
    unitPixels="$(awk -v h="$XS_H" 'BEGIN { print h / 2 / (65 * sin(3.14159265 / 8) / cos(3.14159265 / 8)) }')"
    awk -v w="$XS_W" -v h="$XS_H" -v u="$unitPixels" \
        'BEGIN { x = w / 2; y = h / 2 + 20 * u; printf "%d %d %d %d\n", x - 4 * u, y - 12 * u, 8 * u, 11 * u }'
}

# Distance in pixels between the centres of a colour class above the hero in two screenshots.
hero_shadow_count()
{
    local box
    read -ra box <<<"$(hero_shadow_box)"
    python3 "$pixels" shadow "$DS_DIR/$1.png" "${box[@]}"
}

hero_shift()
{
    local box a b
    read -ra box <<<"$(hero_shadow_box)"
    a="$(python3 "$pixels" centre "$1" "$DS_DIR/$2.png" "${box[@]}")"
    b="$(python3 "$pixels" centre "$1" "$DS_DIR/$3.png" "${box[@]}")"
    awk -v a="$a" -v b="$b" 'BEGIN { split(a, p, " "); split(b, q, " "); printf "%.1f\n", sqrt((p[1] - q[1]) ^ 2 + (p[2] - q[2]) ^ 2) }'
}

at_least()
{
    awk -v c="$1" -v m="$2" 'BEGIN { exit !(c + 0 >= m + 0) }'
}

xs_start
xs_start_wm
ds_setup scene-view
ds_library "$here/libraries/standing-beside-start.xml"
ds_start_game
ds_answer_dialog accept
ds_wait_game_window
ds_wait_picture Debut 30 || xs_fail "the start picture is not shown"
xs_window_geometry "$DS_WINDOW"

ds_hold_key space 1.0
# The light starts high: the hero's shadow lies close to him. Lowered a little with L, it reaches further
# from him, into the strip that is watched. The light turns by 0.3 degrees a frame while L is held, however
# long the frames take, so it is lowered in short steps until the shadow is there: a long hold on a fast machine
# would lay the light flat.
count=0
for step in $(seq 1 30); do
    ds_hold_key l 0.25
    sleep 0.3
    ds_shot "shadows-lowered-$step"
    count="$(hero_shadow_count "shadows-lowered-$step")"
    at_least "$count" 60 && break
done
echo "the light lowered in $step steps: $count shadow pixels"
# A few runners gather on their spot; their shadows change a little as they run on the spot.
sleep 4
ds_shot shadows-first
sleep 4
ds_shot shadows-before
count="$(hero_shadow_count shadows-before)"
still="$(hero_shift shadow shadows-first shadows-before)"
echo "the hero's shadow: $count pixels; it moved $still pixels with the light still"
at_least "$count" 60 || xs_fail "no shadow beside the hero"

# Lower still towards the horizon, the shadow grows further from the hero. In short steps again, until the
# shadow has clearly moved.
needed="$(awk -v s="$still" 'BEGIN { print 2 * s + 8 }')"
turned=0
for turn in $(seq 1 20); do
    ds_hold_key l 0.4
    sleep 0.5
    ds_shot "shadows-turned-$turn"
    count="$(hero_shadow_count "shadows-turned-$turn")"
    turned="$(hero_shift shadow shadows-before "shadows-turned-$turn")"
    echo "after turning the light ($turn): $count shadow pixels, moved $turned pixels"
    at_least "$count" 60 || xs_fail "the hero's shadow vanished when the light turned"
    at_least "$turned" "$needed" && break
done
at_least "$turned" "$needed" || xs_fail "the shadows did not follow the light"

# Mouse look: small moves of the pointer tilt the camera until the sky shows. The input system put the pointer
# near the window's top-left corner at start, so it moves down, where there is room.
sky=0
for attempt in $(seq 1 25); do
    xdotool mousemove_relative -- 0 5
    sleep 0.6
    ds_shot "tilt-$attempt"
    magenta="$(viewport_count --sample 25 magenta "tilt-$attempt")"
    [ "$magenta" -lt 5 ] || xs_fail "the viewport's background shows through ($magenta pixels) at tilt $attempt"
    sky="$(viewport_count --sample 25 sky "tilt-$attempt")"
    echo "tilt $attempt: sky pixels $sky, magenta $magenta"
    at_least "$sky" 1500 && break
done
at_least "$sky" 1500 || xs_fail "the camera never saw the sky"

ds_hold_key Escape 1.0
ds_wait_exit 30
[ "$DS_STATUS" -eq 0 ] || xs_fail "exit code $DS_STATUS"
echo "PASS scene view"
