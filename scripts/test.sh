#!/usr/bin/env bash
# Checks the sources' formatting and whitespace, then builds everything and runs every test: unit, engine and
# end-to-end tests in the normal build, then the unit and engine tests again in an AddressSanitizer/
# UndefinedBehaviorSanitizer build with leak checking, then a half-minute run of the library reader's fuzz target
# (the unit tests replay its whole corpus in every build).
#
# The 180-second won game (label "long") runs beside the rest from the end of the normal build on; its result
# counts at the end. Each stage's wall-clock and processor time (user + system, its child processes included) is
# printed as it ends, and all of them again at the end.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"


summary=()
timesFile="$(mktemp)"
# stage NAME COMMAND...: runs the command and reports its times; a command may add processor time used apart
# from this shell's children in OWN_CPU.
stage()
{
    local name=$1 start=$SECONDS before
    shift
    cpu_now
    before=$CPU_NOW
    OWN_CPU=0
    "$@"
    cpu_now
    summary+=("$(awk -v n="$name" -v w=$((SECONDS - start)) -v a="$CPU_NOW" -v b="$before" -v o="$OWN_CPU" \
        'BEGIN { printf "%-24s %5d s wall %7.1f s cpu", n, w, a - b + o }')")
    echo "test.sh: ${summary[-1]}"
}

# CPU_NOW: processor seconds used so far by this shell's finished children (user + system). The builtin runs in
# this shell, not in a command substitution, which would report its own children.
cpu_now()
{
    times >"$timesFile"
    CPU_NOW="$(awk 'NR == 2 { split($1, u, "m"); split($2, s, "m"); print u[1] * 60 + u[2] + s[1] * 60 + s[2] }' \
        "$timesFile")"
}

# The won game runs apart, not as a child of this shell: its processor time would otherwise be counted in whatever
# stage is running when it ends. Its own time is added to the stage that waits for it.
wonGameDir="$root/build/won-game"
trap 'rm -f "$timesFile"; [ -f "$wonGameDir/pid" ] && kill "$(cat "$wonGameDir/pid")" 2>/dev/null; true' EXIT
start_won_game()
{
    rm -rf "$wonGameDir"
    mkdir -p "$wonGameDir"
    (
        (
            ctest --test-dir "$root/build" --output-on-failure -L long >"$wonGameDir/log" 2>&1 &
            echo $! >"$wonGameDir/pid"
            status=0
            wait $! || status=$?
            times >"$wonGameDir/times"
            echo $status >"$wonGameDir/status"
        ) &
    )
}

wait_won_game()
{
    until [ -f "$wonGameDir/status" ]; do
        sleep 1
    done
    rm -f "$wonGameDir/pid"
    cat "$wonGameDir/log"
    OWN_CPU="$(awk 'NR == 2 { split($1, u, "m"); split($2, s, "m"); print u[1] * 60 + u[2] + s[1] * 60 + s[2] }' \
        "$wonGameDir/times")"
    return "$(cat "$wonGameDir/status")"
}

stage "packages and style" bash -c '"$0/scripts/install-deps.sh" && "$0/scripts/check-style.sh"' "$root"
stage "normal build" "$root/scripts/build.sh" "$root/build" -DDUNESTRIDE_WERROR=ON
start_won_game
stage "normal tests" ctest --test-dir "$root/build" --output-on-failure -j 2 -LE 'bench|long'
# The sanitizer pass builds only what its tests run, and leaves out the soak test: its resident-memory check is
# off under the sanitizer, and the games it plays are those of the engine tests. It builds unoptimised, with
# assertions: the sanitizers check the same, the optimiser's warnings are the normal build's, and compiling
# instrumented code at -O2 costs about twice the processor time.
stage "sanitizer build" "$root/scripts/build.sh" "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DDUNESTRIDE_SANITIZE=ON \
    -DDUNESTRIDE_WERROR=ON -DDUNESTRIDE_BENCH=OFF --target unit_and_engine_tests
stage "sanitizer tests" ctest --test-dir "$root/build-asan" --output-on-failure -j 2 -L 'unit|engine' -LE soak
stage "fuzz" "$root/scripts/fuzz.sh" 30
stage "won game" wait_won_game

echo "test.sh: every stage passed"
printf 'test.sh: %s\n' "${summary[@]}"
