#!/usr/bin/env bash
# pathsketch FILE continues a library: started on a copy of the game's library, one stroke kept and saved under
# the same name gives a file with the game's trajectories as they were and the new one after the highest name.
# A file that cannot be read is refused with status 2 before any window opens, with the limit that refused it.
source "$(dirname "${BASH_SOURCE[0]}")/pathsketch.sh"
: "${PS_GAME_LIBRARY:?the library1.xml of the game}"

xs_start
mkdir -p "$XS_TMP/run"
printf '<not a library' >"$XS_TMP/broken.xml"
status=0
timeout 10 "$PATHSKETCH" "$XS_TMP/broken.xml" </dev/null >"$XS_TMP/refused.txt" 2>&1 || status=$?
[ "$status" = 2 ] || xs_fail "an unreadable library gave status $status, not 2: $(cat "$XS_TMP/refused.txt")"
grep -qF "impossible de lire la bibliotheque $XS_TMP/broken.xml" "$XS_TMP/refused.txt" ||
    xs_fail "the refusal does not name the file: $(cat "$XS_TMP/refused.txt")"
# A refusal by a limit names it, as L does.
truncate -s 100M "$XS_TMP/large.xml"
timeout 10 "$PATHSKETCH" "$XS_TMP/large.xml" </dev/null >"$XS_TMP/refused.txt" 2>&1 || true
grep -qxF "limite depassee : fichier de 104857600 octets, limite 92274688" "$XS_TMP/refused.txt" ||
    xs_fail "the refusal does not name the limit: $(cat "$XS_TMP/refused.txt")"

cp "$PS_GAME_LIBRARY" "$XS_TMP/run/library1.xml"
game="$(ps_library "$XS_TMP/run/library1.xml")"
gameCount="$(grep -c '^TRAJ' <<<"$game")"
[ "$gameCount" = 12 ] || xs_fail "the game's library holds $gameCount trajectories, not 12"
PS_ARGS=(library1.xml)
ps_start
ps_wait_console "bibliotheque lue : library1.xml (12 trajectoires) ; prochain dessin garde : traj13"

ps_stroke 100,600 120,590 140,580 160,570
stroke=("${PS_VISITED[@]}")
ps_answer Return
ps_save library1.xml
saved="$(ps_library "$PS_RUN/library1.xml")"
[ "$(grep -c '^TRAJ' <<<"$saved")" = 13 ] || xs_fail "the saved library holds $(grep '^TRAJ' <<<"$saved" | tr '\n' ' ')"
[ "$(grep -v ' traj13\b' <<<"$saved")" = "$game" ] || xs_fail "the game's trajectories changed"
ps_expect_keys_on_visited traj13 <<<"$saved"
cp "$PS_RUN/library1.xml" "$PS_ARTIFACTS/pathsketch-continued-library.xml"
echo "pathsketch continues a library: ok"
