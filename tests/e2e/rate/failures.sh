#!/usr/bin/env bash
# dunestride-rate's failures say what they are and leave nothing of the rating behind: an unusable TMPDIR, a worker
# killed, the rater stopped or killed mid-rating, a verdict that cannot be written, DUNESTRIDE_RATE_GAMES against
# the command line. Usage: failures.sh DUNESTRIDE_RATE ARTIFACTS_DIR
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
rate="$1"
artifacts="$2"
rm -rf "$artifacts"
mkdir -p "$artifacts/tmp"
library="$here/libraries/slow-far.xml"
fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

# expect STATUS PATTERN NAME COMMAND...: the command ends with STATUS and says PATTERN (if any) on standard error.
expect()
{
    local status=$1 pattern=$2 name=$3
    shift 3
    "$@" >"$artifacts/$name.out" 2>"$artifacts/$name.err"
    local got=$?
    [ "$got" = "$status" ] || fail "$name: exit status $got, not $status: $(cat "$artifacts/$name.err")"
    [ -z "$pattern" ] || grep -q -e "$pattern" "$artifacts/$name.err" || fail "$name: \"$pattern\" not said: $(cat "$artifacts/$name.err")"
}

leftBehind()
{
    local left
    left="$(ls -A "$artifacts/tmp")"
    [ -z "$left" ] || fail "$1: left in TMPDIR: $left"
}

echo "<Trajectories" >"$artifacts/broken.xml"
DUNESTRIDE_RATE_GAMES= expect 0 "" empty-variable "$rate" --help
DUNESTRIDE_RATE_GAMES=lots expect 1 "" command-line-wins "$rate" --games 2 "$artifacts/broken.xml"
DUNESTRIDE_RATE_GAMES=lots expect 2 "DUNESTRIDE_RATE_GAMES=lots" bad-variable "$rate" "$library"
expect 2 "--games 2147483647" too-many-games "$rate" --games 2147483647 "$library"

TMPDIR="$artifacts/missing" expect 4 "temporary folder $artifacts/missing" missing-tmpdir "$rate" --games 2 "$library"
touch "$artifacts/file"
TMPDIR="$artifacts/file" expect 4 "temporary folder $artifacts/file" file-tmpdir "$rate" --games 2 "$library"

TMPDIR="$artifacts/tmp" "$rate" --games 1 "$library" >/dev/full 2>"$artifacts/full.err"
status=$?
[ "$status" != 0 ] || fail "a verdict written to a full disk: exit status 0"
grep -q "verdict could not be written" "$artifacts/full.err" || fail "full disk not said: $(cat "$artifacts/full.err")"
leftBehind "full disk"

# rateUntilPlaying NAME: starts a long rating whose output goes through a pipe, and comes back once both workers
# have copied the library into their folders. $rater is its process; $reader ends when the rater and every worker
# have ended, since they all hold the pipe.
rateUntilPlaying()
{
    mkfifo "$artifacts/$1.pipe"
    TMPDIR="$artifacts/tmp" "$rate" --games 40 "$library" >"$artifacts/$1.pipe" 2>"$artifacts/$1.err" &
    rater=$!
    cat "$artifacts/$1.pipe" >"$artifacts/$1.out" &
    reader=$!
    until [ "$(find "$artifacts/tmp" -name library1.xml | wc -l)" = 2 ]; do
        kill -0 "$rater" 2>/dev/null || fail "$1: the rating ended before playing: $(cat "$artifacts/$1.err")"
        sleep 0.1
    done
}

rateUntilPlaying stopped
kill -TERM "$rater"
wait "$rater"
status=$?
wait "$reader"
[ "$status" = $((128 + 15)) ] || fail "stopped by SIGTERM: exit status $status: $(cat "$artifacts/stopped.err")"
leftBehind "stopped by SIGTERM"

rateUntilPlaying worker-killed
kill -KILL "$(pgrep -P "$rater" | head -n 1)"
wait "$rater"
status=$?
wait "$reader"
[ "$status" = 4 ] || fail "a worker killed: exit status $status: $(cat "$artifacts/worker-killed.err")"
grep -q "killed by signal 9" "$artifacts/worker-killed.err" || fail "$(cat "$artifacts/worker-killed.err")"
leftBehind "a worker killed"

rateUntilPlaying rater-killed
{
    kill -KILL "$rater"
    wait "$rater"
} 2>/dev/null
wait "$reader"
leftBehind "the rater killed"
echo "PASS failures"
