#!/usr/bin/env bash
# Started from a folder it cannot write (a read-only mount, a shared install), the game still plays: the
# settings chosen in the dialog are kept for the run only, and the output says so.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../lib/xsession.sh"
source "$here/dunestride-session.sh"

# copy_unreachable_resources CFG DIR: copies each resource folder of CFG that nobody cannot read into DIR and
# points CFG at the copy.
copy_unreachable_resources()
{
    local cfg=$1 dir=$2 folder count=0
    while IFS= read -r folder; do
        "${asNobody[@]}" test -r "$folder" -a -x "$folder" && continue
        count=$((count + 1))
        cp -a "$folder" "$dir/resources-$count"
        sed -i "s|^FileSystem=$folder\$|FileSystem=$dir/resources-$count|" "$cfg"
    done < <(sed -n 's/^FileSystem=//p' "$cfg")
}

xs_start
xs_start_wm
ds_setup read-only-folder
rm -f "$DS_DIR-output.txt"
ds_library "$here/libraries/through-start.xml"
output="$DS_DIR-output.txt"
program="$DUNESTRIDE_BIN"
runAs=()
asNobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
if [ "$(id -u)" = 0 ]; then
    # root writes anywhere: run the game as nobody, for whom a root-owned folder is read-only. The checkout may
    # sit in a folder nobody cannot enter (/root, a mktemp -d folder): run a copy of the program in a copy of
    # the run folder, with copies of the resource folders nobody cannot read, all under a folder nobody can
    # enter.
    chmod a+rx "$XS_TMP"
    reachable="$XS_TMP/reachable"
    mkdir -p "$reachable"
    cp -a "$DS_DIR" "$reachable/run"
    DS_DIR="$reachable/run"
    output="$reachable/output.txt"
    copy_unreachable_resources "$DS_DIR/resources.cfg" "$reachable"
    cp "$DUNESTRIDE_BIN" "$reachable/dunestride"
    chmod -R a+rX "$reachable"
    program="$reachable/dunestride"
    runAs=("${asNobody[@]}")
    touch "$output"
    chmod a+w "$output"
else
    # As on a read-only mount, the files cannot be written either.
    chmod a-w "$DS_DIR"/* "$DS_DIR"
fi
cp "$DS_DIR/ogre.cfg" "$XS_TMP/ogre.cfg.before"

(cd "$DS_DIR" && exec setsid "${runAs[@]}" "$program" >"$output" 2>&1) &
DS_PID=$!
xs_track "$DS_PID"
ds_answer_dialog accept
ds_wait_game_window
ds_wait_picture Debut 30 || xs_fail "the start picture is not shown; output: $(tail -n 5 "$output")"
ds_hold_key space 1.0
ds_shows_picture Debut && xs_fail "SPACE did not start the game"
ds_hold_key Escape 0.5
ds_wait_exit 30
[ "$DS_STATUS" -eq 0 ] || xs_fail "exit code $DS_STATUS"

grep -q "ogre.cfg cannot be written: the settings of this run are kept in memory only" "$output" ||
    xs_fail "the output does not say that the settings were not kept"
cmp -s "$DS_DIR/ogre.cfg" "$XS_TMP/ogre.cfg.before" || xs_fail "ogre.cfg changed"
files="$(cd "$DS_DIR" && find . -mindepth 1 | sort | tr '\n' ' ')"
[ "$files" = "./library1.xml ./ogre.cfg ./plugins.cfg ./resources.cfg " ] || xs_fail "files appeared: $files"
echo "PASS read-only folder"
