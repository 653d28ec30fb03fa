#!/usr/bin/env bash
# R rates the library in memory (the game's library and a stroke kept since) with dunestride-rate in the
# background: a second R meanwhile says a rating runs, the verdict comes on the console, the author's file is
# untouched and the temporary copy is gone. Ended by SIGTERM during a later rating, pathsketch takes the rating
# with it: no rater left running, no copy of the drawings left.
source "$(dirname "${BASH_SOURCE[0]}")/pathsketch.sh"
: "${PS_GAME_LIBRARY:?the library1.xml of the game}"

xs_start
mkdir -p "$XS_TMP/run" "$XS_TMP/tmp"
cp "$PS_GAME_LIBRARY" "$XS_TMP/run/library1.xml"
PS_ARGS=(library1.xml)
# A quick rating: few games, and the copy goes to a folder of the test's.
export DUNESTRIDE_RATE_GAMES=4 TMPDIR="$XS_TMP/tmp"
ps_start
ps_stroke 250,150 250,250 250,350 250,450 250,550
ps_answer Return

ps_hold r
ps_wait_console "evaluation de la bibliotheque en memoire (13 trajectoires) lancee"
ps_hold r
ps_wait_console "une evaluation est deja en cours"
xs_wait_until 90 grep -q "^grade: " "$PS_RUN/console.out" ||
    xs_fail "no verdict on the console: $(cat "$PS_RUN/console.out")"
grep -q "^library in memory: 13 trajectories" "$PS_RUN/console.out" ||
    xs_fail "the verdict is not about the library in memory: $(cat "$PS_RUN/console.out")"
cmp -s "$PS_GAME_LIBRARY" "$PS_RUN/library1.xml" || xs_fail "the author's file was changed"
xs_wait_until 5 test -z "$(ls -A "$XS_TMP/tmp")" || xs_fail "the temporary copy stayed: $(ls -R "$XS_TMP/tmp")"

ps_hold r
xs_wait_until 10 pgrep -s "$PS_PID" -x dunestride-rate >/dev/null || xs_fail "the second rating did not start"
kill -TERM "$PS_PID"
ps_expect_exit 143
xs_wait_until 10 eval '! pgrep -s "$PS_PID" >/dev/null' ||
    xs_fail "the rating outlived pathsketch: $(pgrep -a -s "$PS_PID")"
# Neither pathsketch's copy nor the rater's workers' copies stay.
xs_wait_until 5 test -z "$(ls -A "$XS_TMP/tmp")" || xs_fail "copies stayed: $(ls -R "$XS_TMP/tmp")"
echo "pathsketch rate: ok"
