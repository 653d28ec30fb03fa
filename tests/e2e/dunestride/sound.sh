#!/usr/bin/env bash
# The game's sound, written to a file by SDL's disk audio driver: the catch is heard within 100 ms of the catch,
# nothing reaches full scale, and once S has muted the game nothing more is heard, not in the next game either; the
# choice is kept. With the audio device open, SIGTERM on the lost picture ends the game as Escape does (SDL used to
# turn it into a quit event that nothing read).
#
# The library's runners come straight down the picture at the hero's start, 42 units away, at 13.5 units a second:
# a hero who stands still is caught about 3 s into the game, and warned of it before.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../lib/xsession.sh"
source "$here/dunestride-session.sh"

xs_start
xs_start_wm
ds_setup sound
ds_library "$here/libraries/quick-catch.xml"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$DS_DIR/stream.raw"
ds_start_game
ds_answer_dialog accept
ds_wait_game_window
ds_wait_picture Debut 30 || xs_fail "the start picture is not shown"

ds_hold_key space 1.0
ds_wait_picture Lost 60 || xs_fail "the standing hero was not caught"
ds_hold_key s 0.8
ds_hold_key space 1.0
ds_wait_picture Debut 20 || xs_fail "SPACE on the lost picture did not bring the start picture back"
ds_hold_key space 1.0
ds_wait_picture Lost 60 || xs_fail "the hero of the muted game was not caught"
kill -TERM "$DS_PID"
ds_wait_exit 30
[ "$DS_STATUS" -eq 0 ] || xs_fail "exit code $DS_STATUS"
ds_log_in_order "quit on signal 15" "Ended!" || xs_fail "SIGTERM did not end the game as Escape does"

ds_log_has "sound on: SDL audio driver disk" || xs_fail "the sound did not start: $(grep sound "$DS_DIR/OgreTutos.log")"
[ "$(cat "$DS_DIR/sound.txt")" = off ] || xs_fail "the mute is not kept: $(cat "$DS_DIR/sound.txt")"
grep -qE '^[0-9]+\.[0-9]{3}$' "$DS_DIR/best-time.txt" || xs_fail "no best time kept"
python3 "$here/sound-stream.py" "$DS_DIR/stream.raw" "$DS_DIR/OgreTutos.log" || xs_fail "the stream"
echo "PASS sound"
