#!/usr/bin/env bash
# Game data without "Ogre.mesh": the engine's exception ends the program; its description is logged after the
# teardown, "Ended!" is not, and the program does not crash but says on standard error that it failed and exits
# with a non-zero status.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../lib/xsession.sh"
source "$here/dunestride-session.sh"

xs_start
xs_start_wm
ds_setup missing-data
ds_library "$here/libraries/through-start.xml"
mkdir -p "$DS_DIR/media"
cp "$DUNESTRIDE_RUN_DIR"/media/* "$DS_DIR/media/"
rm "$DS_DIR/media/Ogre.mesh"
sed -i "s|^FileSystem=$DUNESTRIDE_RUN_DIR/media\$|FileSystem=$DS_DIR/media|" "$DS_DIR/resources.cfg"
grep -q "^FileSystem=$DS_DIR/media\$" "$DS_DIR/resources.cfg" || xs_fail "resources.cfg not redirected"

ds_start_game
ds_answer_dialog accept
ds_wait_exit 60
[ "$DS_STATUS" -eq 1 ] || xs_fail "exit code $DS_STATUS"
grep -q "^dunestride stopped on an engine error: .*Ogre.mesh" "$DS_DIR/stdout.txt" || xs_fail "nothing said on stderr"
grep -q "Exception.*Ogre.mesh" "$DS_DIR/OgreTutos.log" || xs_fail "the exception's description is not logged"
ds_log_in_order \
    "*** creation of the input/output system ***" \
    "*** end Destruction AppliOgreFromScratch!***" || xs_fail "progress lines"
ds_log_has "Ended!" && xs_fail "Ended! logged after an exception"
tail -n1 "$DS_DIR/OgreTutos.log" | grep -q "Exception" || xs_fail "the description is not the last line"
echo "PASS missing data"
