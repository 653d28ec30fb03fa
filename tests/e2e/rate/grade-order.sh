#!/usr/bin/env bash
# dunestride-rate grades a library of slow runners far from the hero easier than one of fast runners through his
# start place, and refuses, with the reader's reason, a file the game would not read and a library without
# trajectories. Usage: grade-order.sh DUNESTRIDE_RATE ARTIFACTS_DIR
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
rate="$1"
artifacts="$2"
rm -rf "$artifacts"
mkdir -p "$artifacts"
fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

grades=(trivial easy fair hard unfair)
rank()
{
    local output=$1 grade i
    grade="$(sed -n 's/^grade: \([a-z]*\).*/\1/p' "$output")"
    for i in "${!grades[@]}"; do
        [ "${grades[$i]}" = "$grade" ] && echo "$i" && return
    done
    fail "no grade in $output: $(cat "$output")"
}

# Few games: the order of the grades is the point, not the figures.
for library in slow-far fast-at-start; do
    "$rate" --games 2 "$here/libraries/$library.xml" >"$artifacts/$library.txt" 2>&1 ||
        fail "$library: exit status $?: $(cat "$artifacts/$library.txt")"
done
slow=$(rank "$artifacts/slow-far.txt")
fast=$(rank "$artifacts/fast-at-start.txt")
[ "$slow" -lt "$fast" ] ||
    fail "slow, far runners graded ${grades[$slow]}, not easier than fast ones at the start (${grades[$fast]})"

echo "<Trajectories" >"$artifacts/broken.xml"
"$rate" "$artifacts/broken.xml" >"$artifacts/broken.txt" 2>&1
status=$?
[ "$status" = 1 ] || fail "a broken library: exit status $status"
grep -q "refused.*impossible de LoadFile" "$artifacts/broken.txt" || fail "no reason given: $(cat "$artifacts/broken.txt")"

"$rate" "$here/../dunestride/libraries/empty.xml" >"$artifacts/empty.txt" 2>&1
status=$?
[ "$status" = 1 ] || fail "an empty library: exit status $status"
grep -q "empty, no trajectory" "$artifacts/empty.txt" || fail "empty not said: $(cat "$artifacts/empty.txt")"
echo "PASS grade order"
