#!/usr/bin/env bash
# Saving into a folder that cannot be written: the console says so in one line and the earlier file there is
# intact; a later save elsewhere still works.
source "$(dirname "${BASH_SOURCE[0]}")/pathsketch.sh"

xs_start
mkdir -p "$XS_TMP/run/locked"
printf 'earlier library\n' >"$XS_TMP/run/locked/library.xml"
if [ "$(id -u)" = 0 ]; then
    # root writes anywhere: run the program as nobody, for whom the root-owned folder is read-only
    chmod 755 "$XS_TMP/run/locked"
    chmod 777 "$XS_TMP/run"
    # The build tree may sit in a folder nobody cannot enter: run a copy of the program.
    cp "$PATHSKETCH" "$XS_TMP/pathsketch"
    chmod a+rx "$XS_TMP" "$XS_TMP/pathsketch"
    PATHSKETCH="$XS_TMP/pathsketch"
    ps_start setpriv --reuid=nobody --regid=nogroup --clear-groups
else
    chmod 555 "$XS_TMP/run/locked"
    ps_start
fi

ps_stroke 100,100 105,105
ps_answer Return
ps_save locked/library.xml
ps_wait_console "echec de l'enregistrement du fichier locked/library.xml"
[ "$(cat "$XS_TMP/run/locked/library.xml")" = "earlier library" ] || xs_fail "the earlier file was changed"
[ "$(ls -A "$XS_TMP/run/locked")" = "library.xml" ] || xs_fail "the failed save left files: $(ls -A "$XS_TMP/run/locked")"

ps_save saved.xml
grep -q 'name="traj1"' "$PS_RUN/saved.xml" || xs_fail "the save after the failure did not write the drawing"
echo "pathsketch failed save: ok"
