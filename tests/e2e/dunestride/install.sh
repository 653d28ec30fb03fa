#!/usr/bin/env bash
# Installs the build into a fresh prefix and starts the installed game through its launcher: the player's
# folder is made from the installed defaults, the game runs there (dialog cancelled), and the player's own
# files survive the next start. Usage: install.sh BUILD_DIR
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../lib/xsession.sh"
source "$here/dunestride-session.sh"
buildDir="$1"

DS_DIR="$DS_ARTIFACTS/install"
rm -rf "$DS_DIR"
mkdir -p "$DS_DIR"
prefix="$DS_DIR/prefix"
cmake --install "$buildDir" --prefix "$prefix" >"$DS_DIR/install.log" 2>&1 || xs_fail "cmake --install failed: $(tail -5 "$DS_DIR/install.log")"

for file in bin/dunestride bin/pathsketch bin/dunestride-rate libexec/dunestride/dunestride \
    libexec/dunestride/pathsketch; do
    [ -x "$prefix/$file" ] || xs_fail "not installed as a program: $file"
done
for file in ogre.cfg plugins.cfg library1.xml resources.cfg.in media/Ogre.mesh media/Ogre.skeleton \
    media/Debut.jpg media/Win.jpg media/Lost.jpg media/Catch.wav media/WindLoop.wav; do
    [ -f "$prefix/share/dunestride/$file" ] || xs_fail "not installed: share/dunestride/$file"
done

export XDG_DATA_HOME="$DS_DIR/data home"
folder="$XDG_DATA_HOME/dunestride"

xs_start
xs_start_wm
ds_cancelled_launch "$prefix"
for file in ogre.cfg plugins.cfg library1.xml; do
    [ -f "$folder/$file" ] || xs_fail "the player's folder lacks $file"
done

# A second start keeps what the player changed.
echo '<Trajectories/>' >"$folder/library1.xml"
ds_start_launcher "$prefix"
ds_answer_dialog cancel
ds_wait_exit 30
grep -qxF '<Trajectories/>' "$folder/library1.xml" || xs_fail "the player's library was overwritten"
# The installed rating finds the installed game data and rates the player's library, here an empty one.
"$prefix/bin/dunestride-rate" >"$DS_DIR/rate.txt" 2>&1
status=$?
[ "$status" = 1 ] && grep -qF "$folder/library1.xml: empty" "$DS_DIR/rate.txt" ||
    xs_fail "dunestride-rate did not rate the player's library (status $status): $(cat "$DS_DIR/rate.txt")"
rm "$folder/library1.xml"
"$prefix/bin/dunestride-rate" --games 1 >"$DS_DIR/rate.txt" 2>&1 ||
    xs_fail "dunestride-rate on the installed library: $(cat "$DS_DIR/rate.txt")"
grep -q "^grade: " "$DS_DIR/rate.txt" || xs_fail "no verdict from dunestride-rate: $(cat "$DS_DIR/rate.txt")"
echo "PASS install"
