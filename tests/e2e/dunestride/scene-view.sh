#!/usr/bin/env bash
# What the scene shows around the game: figures cast shadows on the sand that move when the light turns, and
# a camera tilted towards the horizon sees the evening sky, never the viewport's magenta background.
#
# The library's runners all stand still, 21 units from the hero's start, in view of the camera.
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

# Distance in pixels between the centres of a colour class in two screenshots.
centre_shift()
{
    local region=($((XS_W * 2 / 10)) 0 $((XS_W * 6 / 10)) "$XS_H") a b
    a="$(python3 "$pixels" centre "$1" "$DS_DIR/$2.png" "${region[@]}")"
    b="$(python3 "$pixels" centre "$1" "$DS_DIR/$3.png" "${region[@]}")"
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
# A few runners gather on their spot; their shadows change a little as they run on the spot.
sleep 4
ds_shot shadows-first
sleep 4
ds_shot shadows-before
count="$(viewport_count shadow shadows-before)"
still="$(centre_shift shadow shadows-first shadows-before)"
echo "shadow pixels: $count; their centre moved $still pixels with the light still"
at_least "$count" 150 || xs_fail "no shadows on the sand"

# The light turns by 0.3 degrees per frame while O is held.
ds_hold_key o 4
sleep 0.5
ds_shot shadows-after
count="$(viewport_count shadow shadows-after)"
turned="$(centre_shift shadow shadows-before shadows-after)"
echo "shadow pixels after turning the light: $count; their centre moved $turned pixels"
at_least "$count" 150 || xs_fail "the shadows vanished when the light turned"
at_least "$turned" "$(awk -v s="$still" 'BEGIN { print 2 * s + 6 }')" || xs_fail "the shadows did not follow the light"

# Mouse look: small upward moves of the pointer tilt the camera until the sky shows.
sky=0
for attempt in $(seq 1 20); do
    xdotool mousemove_relative -- 0 -3
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
