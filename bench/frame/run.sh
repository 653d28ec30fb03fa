#!/usr/bin/env bash
# The frame benchmark, in a private 1024 x 768 X server; every buffer swap is recorded from outside by a preloaded
# library (frame_swap_recorder). Three parts, each optional:
#   compare  the real dunestride and a bare-engine reference (frame_reference, the scene with its plain settings)
#            render the same crowds of running men, one after the other, REPEATS times each per crowd size. The
#            game is driven like a player: the configuration dialog accepted, the space bar on the start picture,
#            the hero left standing, Escape at the end. The pointer never moves once the game window exists: every
#            move would turn the camera. A screenshot after each run must show the same top-down view as the
#            reference's, or the run fails.
#   levers   the reference with each of the game's drawing shortcuts on its own, with all of them and with none,
#            in turn, REPEATS times per crowd size.
#   curve    the reference with the game's shortcuts and with none at crowds up to 1,000 runners, and the cost per
#            added runner (least-squares slopes).
#
# Usage: bench/frame/run.sh [BUILD_DIR [OUTPUT_DIR]]     (defaults: build, BUILD_DIR/frame-bench)
# Environment: FRAME_PARTS ("compare levers curve"), FRAME_REPEATS (3), FRAME_MEASURE_SECONDS (15),
# FRAME_CROWDS ("20 60 150"), FRAME_LEVER_CROWDS ("60 150"), FRAME_LEVERS ("none sky shadows clear filter all"),
# FRAME_LEVER_SECONDS (10), FRAME_CURVE ("0 60 150 300 600 1000"); FRAME_PERF=1 also records a profile of each
# measured window (perf with DWARF call graphs, which OGRE and Mesa need for want of frame pointers) into the run's
# perf.data and perf.txt; its figures are then slowed by the profiler.
# Prints the report and writes it to OUTPUT_DIR/report.txt; each run's folder keeps its swaps, frame times,
# screenshot and logs.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="$(realpath -m "${1:-$root/build}")"
output="$(realpath -m "${2:-$build/frame-bench}")"
repeats=${FRAME_REPEATS:-3}
measureSeconds=${FRAME_MEASURE_SECONDS:-15}
crowds=${FRAME_CROWDS:-"20 60 150"}
parts=${FRAME_PARTS:-"compare levers curve"}
leverCrowds=${FRAME_LEVER_CROWDS:-"60 150"}
levers=${FRAME_LEVERS:-"none sky shadows clear filter all"}
leverSeconds=${FRAME_LEVER_SECONDS:-10}
curve=${FRAME_CURVE:-"0 60 150 300 600 1000"}
# The reference places its crowd at once; a few seconds let the engine settle as the game's warm-up does.
referenceSettleSeconds=3

"$root/scripts/install-deps.sh"
if [ "${FRAME_PERF:-0}" = 1 ] && ! command -v perf >/dev/null; then
    # Only the profiling needs it: a benchmark-only package, not one of the project's dependencies.
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends linux-perf
fi
[ -f "$build/CMakeCache.txt" ] || "$root/scripts/build.sh" "$build" || exit 1
cmake --build "$build" --target frame_bench -j2 >"$output.build.log" 2>&1 || { cat "$output.build.log"; exit 1; }
rm -rf "$output"
mkdir -p "$output"
mv "$output.build.log" "$output/build.log"

source "$root/tests/e2e/lib/xsession.sh"
source "$root/tests/e2e/dunestride/dunestride-session.sh"
export DUNESTRIDE_RUN_DIR="$build/run"
DS_ARTIFACTS="$output/runs"
recorder="$build/bench/frame/libframe_swap_recorder.so"
reference="$build/bench/frame/frame_reference"
game="$build/game/shell/dunestride"

echo "machine: $(nproc) cores, $(uptime | sed 's/.*load/load/')" | tee "$output/machine.txt"
"$build/bench/frame/frame_setup" "$output/libraries" | tee "$output/libraries.txt" || xs_fail "the crowd libraries do not fit"

xs_start 1024x768x24

# Starts a program in $DS_DIR with the swap recorder; $DS_PID.
start_recorded()
{
    (cd "$DS_DIR" && FRAME_SWAP_LOG="$DS_DIR/swaps" LD_PRELOAD="$recorder" exec setsid "$@" >"$DS_DIR/stdout.txt" 2>&1) &
    DS_PID=$!
    xs_track "$DS_PID"
}

# User and system time, in clock ticks, of a process and all its threads (the renderer's among them), or of
# the one thread named by a /proc/PID/task/TID path.
process_cpu_ticks()
{
    # The fields after the command name, which is in parentheses and may hold blanks: utime is the 12th.
    sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'
}

# Marks the measured window (SECONDS, default the measure window) in the swap log, then notes the processor time
# of the program and of its main thread, the resident memory, and takes the screenshot.
measure()
{
    local seconds=${1:-$measureSeconds} cpuBefore mainBefore
    cpuBefore=$(process_cpu_ticks "$DS_PID")
    mainBefore=$(process_cpu_ticks "$DS_PID/task/$DS_PID")
    echo begin >>"$DS_DIR/swaps"
    if [ "${FRAME_PERF:-0}" = 1 ]; then
        perf record -q -F 250 --call-graph dwarf,16384 -p "$DS_PID" -o "$DS_DIR/perf.data" -- sleep "$seconds" \
            2>"$DS_DIR/perf.log"
    else
        sleep "$seconds"
    fi
    echo end >>"$DS_DIR/swaps"
    echo $(($(process_cpu_ticks "$DS_PID") - cpuBefore)) >"$DS_DIR/cpu-ticks"
    echo $(($(process_cpu_ticks "$DS_PID/task/$DS_PID") - mainBefore)) >"$DS_DIR/main-ticks"
    cut -d' ' -f1 /proc/loadavg >"$DS_DIR/load"
    awk '/^VmRSS|^VmHWM/ { printf "%s %d\n", $1, $2 / 1024 }' "/proc/$DS_PID/status" >"$DS_DIR/memory"
    import -window root "$DS_DIR/view.png"
}

# Where the measured window's time went: by library, then by function, then the call chains of the hottest ones.
summarise_profile()
{
    local dir=$1
    [ -f "$dir/perf.data" ] || return 0
    {
        perf report -i "$dir/perf.data" --no-children --sort dso --stdio 2>/dev/null | grep -v '^#' | grep -v '^$' | head -15
        echo
        perf report -i "$dir/perf.data" --no-children --sort dso,sym --stdio -g none 2>/dev/null | grep -v '^#' |
            grep -v '^$' | head -40
        echo
        perf report -i "$dir/perf.data" --children --sort sym --stdio -g none 2>/dev/null | grep -v '^#' |
            grep -v '^$' | head -60
    } >"$dir/perf.txt"
}

run_game()
{
    local crowd=$1 repeat=$2
    ds_setup "game-$crowd-$repeat"
    ds_library "$output/libraries/runners$crowd/library1.xml"
    start_recorded "$game"
    ds_answer_dialog accept
    ds_wait_game_window
    ds_wait_picture Debut 60 || xs_fail "game $crowd/$repeat: no start picture"
    ds_hold_key space 1.0
    sleep "$(awk -v life="$(cat "$output/libraries/runners$crowd/life")" 'BEGIN { print life + 3 }')"
    measure
    ds_hold_key Escape 1.0
    ds_wait_exit 60
}

# run_reference NAME LIBRARY_CROWD RUNNERS [SHORTCUTS [SECONDS]]: the reference in the run folder NAME.
run_reference()
{
    local name=$1 crowd=$2 runners=$3 shortcuts=${4:-none}
    ds_setup "$name"
    ds_library "$output/libraries/runners$crowd/library1.xml"
    start_recorded "$reference" library1.xml "$runners" 600 "$shortcuts"
    xs_wait_until 120 test -s "$DS_DIR/swaps" || xs_fail "reference $name: no frame"
    sleep "$referenceSettleSeconds"
    measure "${5:-}"
    kill -TERM "$DS_PID"
    wait "$DS_PID" 2>/dev/null
}

# Frame times in milliseconds between the swaps of the measured window, one a line.
frame_times()
{
    awk '/^begin/ { on = 1; next } /^end/ { exit } on { if (last) printf "%.3f\n", ($1 - last) / 1e6; last = $1 }' \
        "$1/swaps" >"$1/frames"
}

# "median p95 p99 count" of a file of numbers, nearest rank.
percentiles()
{
    sort -n "$@" | awk '{ v[NR] = $1 } END {
        if (NR == 0) { print "- - - 0"; exit }
        split("0.5 0.95 0.99", q, " ")
        for (i = 1; i <= 3; ++i) { r = int(q[i] * NR + 0.999999); if (r < 1) r = 1; printf "%.1f ", v[r] }
        print NR }'
}

# Share (percent) of the ground at both sides of the viewport (the middle 60 % of the window) that looks unlike
# the reference's view. No runner of the benchmark's libraries comes there, so only sand shows, and a turn of the
# camera by a degree already changes a third of it: there the view must match to the pixel. The strips start below
# the play-time panel in the viewport's top-left corner, whose figures differ from run to run.
view_difference()
{
    local a=$1 b=$2 left right
    left="$(compare -metric AE -fuzz 4% -extract 64x688+204+80 "$a" "$b" null: 2>&1 >/dev/null | sed 's/[^0-9.e+].*//')"
    right="$(compare -metric AE -fuzz 4% -extract 64x688+754+80 "$a" "$b" null: 2>&1 >/dev/null | sed 's/[^0-9.e+].*//')"
    awk -v l="$left" -v r="$right" 'BEGIN { printf "%.1f", 100 * (l + r) / (2 * 64 * 688) }'
}

# A run's frame times, processor time per frame (all threads, main thread) and memory:
# sets median p95 p99 frames cpu main rss peak, and writes cpu-per-frame and main-per-frame.
summarise_run()
{
    local dir=$1 hz
    hz=$(getconf CLK_TCK)
    frame_times "$dir"
    summarise_profile "$dir"
    read -r median p95 p99 frames < <(percentiles "$dir/frames")
    cpu=$(awk -v t="$(cat "$dir/cpu-ticks")" -v hz="$hz" -v n="$frames" \
        'BEGIN { if (n > 0) printf "%.1f", 1000 * t / hz / n; else print "-" }')
    main=$(awk -v t="$(cat "$dir/main-ticks")" -v hz="$hz" -v n="$frames" \
        'BEGIN { if (n > 0) printf "%.1f", 1000 * t / hz / n; else print "-" }')
    echo "$cpu" >"$dir/cpu-per-frame"
    echo "$main" >"$dir/main-per-frame"
    rss=$(awk '$1 == "VmRSS:" { print $2 }' "$dir/memory")
    peak=$(awk '$1 == "VmHWM:" { print $2 }' "$dir/memory")
}

# "slope intercept" of the least-squares line through "x y" lines.
least_squares()
{
    awk '{ n++; sx += $1; sy += $2; sxx += $1 * $1; sxy += $1 * $2 }
        END { d = n * sxx - sx * sx; if (n < 2 || d == 0) { print "- -"; exit }
              b = (n * sxy - sx * sy) / d; printf "%.6f %.3f\n", b, (sy - b * sx) / n }'
}

maxViewDifference=${FRAME_MAX_VIEW_DIFFERENCE:-1}
failedRuns=0
report="$output/report.txt"
{
    echo "Frame benchmark, $(date -u +%Y-%m-%d) $(cat "$output/machine.txt")"
    echo "1024 x 768; frame times in ms"
    echo "cpu: processor time of the program (all its threads) per frame, in ms: the work of a frame, which other"
    echo "     programs on the machine delay but do not add to; main: the same for its main thread alone"
    echo "load: the machine's load average over the last minute at the end of the run (2 cores)"
} | tee "$report"

compare_game_and_reference()
{
    {
        echo
        echo "Game and reference (the scene with its plain settings): $repeats runs of each program per crowd,"
        echo "${measureSeconds} s measured per run"
        echo "view: share of the sand beside the crowd unlike the reference's view; a game run fails above $maxViewDifference %"
        echo
        printf "%-10s %6s %4s %7s %7s %7s %7s %6s %6s %8s %8s %5s %6s\n" program runners run frames median p95 p99 \
            cpu main "RSS MB" "peak MB" load view
    } | tee -a "$report"
    for crowd in $crowds; do
        for repeat in $(seq 1 "$repeats"); do
            run_game "$crowd" "$repeat"
            run_reference "reference-$crowd-$repeat" "$crowd" "$(cat "$output/libraries/runners$crowd/runners")"
            for program in game reference; do
                dir="$DS_ARTIFACTS/$program-$crowd-$repeat"
                summarise_run "$dir"
                view=$(view_difference "$dir/view.png" "$DS_ARTIFACTS/reference-$crowd-$repeat/view.png")
                verdict="$view%"
                [ "$program" = reference ] && verdict="-"
                if [ "$program" = game ] && awk -v v="$view" -v m="$maxViewDifference" 'BEGIN { exit !(v > m) }'; then
                    verdict="$view% FAILED"
                    failedRuns=$((failedRuns + 1))
                    mv "$dir/frames" "$dir/frames.rejected"
                    mv "$dir/cpu-per-frame" "$dir/cpu-per-frame.rejected"
                    mv "$dir/main-per-frame" "$dir/main-per-frame.rejected"
                fi
                printf "%-10s %6s %4s %7s %7s %7s %7s %6s %6s %8s %8s %5s %6s\n" "$program" "$crowd" "$repeat" \
                    "$frames" "$median" "$p95" "$p99" "$cpu" "$main" "$rss" "$peak" "$(cat "$dir/load")" "$verdict" |
                    tee -a "$report"
            done
        done
    done

    {
        echo
        echo "All accepted runs of a program pooled per crowd (ratio: game / reference; cpu, main: medians of the runs):"
        printf "%-8s %-22s %-22s %-6s %-16s %-6s %-14s %s\n" runners "game median/p95/p99" \
            "reference median/p95/p99" ratio "cpu game/ref" ratio "main game/ref" "game RSS MB (max)"
        for crowd in $crowds; do
            read -r gm g95 g99 _ < <(percentiles "$DS_ARTIFACTS"/game-"$crowd"-*/frames 2>/dev/null)
            read -r rm r95 r99 _ < <(percentiles "$DS_ARTIFACTS"/reference-"$crowd"-*/frames 2>/dev/null)
            ratio=$(awk -v g="$gm" -v r="$rm" 'BEGIN { if (r + 0 > 0) printf "%.3f", g / r; else print "-" }')
            rss=$(cat "$DS_ARTIFACTS"/game-"$crowd"-*/memory | awk '$1 == "VmRSS:" && $2 > m { m = $2 } END { print m }')
            read -r gc _ < <(percentiles "$DS_ARTIFACTS"/game-"$crowd"-*/cpu-per-frame)
            read -r rc _ < <(percentiles "$DS_ARTIFACTS"/reference-"$crowd"-*/cpu-per-frame)
            read -r gmain _ < <(percentiles "$DS_ARTIFACTS"/game-"$crowd"-*/main-per-frame)
            read -r rmain _ < <(percentiles "$DS_ARTIFACTS"/reference-"$crowd"-*/main-per-frame)
            cpuRatio=$(awk -v g="$gc" -v r="$rc" 'BEGIN { if (r + 0 > 0) printf "%.3f", g / r; else print "-" }')
            printf "%-8s %-22s %-22s %-6s %-16s %-6s %-14s %s\n" "$crowd" "$gm / $g95 / $g99" "$rm / $r95 / $r99" \
                "$ratio" "$gc / $rc" "$cpuRatio" "$gmain / $rmain" "$rss"
        done
        echo "load after the runs: $(uptime | sed 's/.*load/load/')"
    } | tee -a "$report"
}

# Each lever alone, all and none, in turn, so that a slow spell of the machine spreads over all of them.
measure_levers()
{
    {
        echo
        echo "Levers: the reference with each drawing shortcut alone, all of them (the game's) and none (plain),"
        echo "in turn; $repeats runs each per crowd, ${leverSeconds} s measured per run (ratio: lever / none, medians)"
        echo
    } | tee -a "$report"
    local crowd repeat lever runners
    for crowd in $leverCrowds; do
        runners="$(cat "$output/libraries/runners$crowd/runners")"
        for repeat in $(seq 1 "$repeats"); do
            for lever in $levers; do
                run_reference "lever-$crowd-$lever-$repeat" "$crowd" "$runners" "$lever" "$leverSeconds"
                summarise_run "$DS_ARTIFACTS/lever-$crowd-$lever-$repeat"
            done
        done
        printf "%-8s %-10s %-22s %-10s %-8s %-10s %-8s\n" runners lever "median/p95/p99 pooled" "run medians" ratio \
            "cpu, main" ratio | tee -a "$report"
        local noneMedian="" noneCpu=""
        for lever in $levers; do
            read -r m p95 p99 _ < <(percentiles "$DS_ARTIFACTS"/lever-"$crowd"-"$lever"-*/frames)
            local runMedians lc lm
            runMedians=$(for f in "$DS_ARTIFACTS"/lever-"$crowd"-"$lever"-*/frames; do percentiles "$f" | cut -d' ' -f1; done |
                sort -n | paste -sd/)
            read -r lc _ < <(percentiles "$DS_ARTIFACTS"/lever-"$crowd"-"$lever"-*/cpu-per-frame)
            read -r lm _ < <(percentiles "$DS_ARTIFACTS"/lever-"$crowd"-"$lever"-*/main-per-frame)
            [ "$lever" = none ] && noneMedian=$m && noneCpu=$lc
            printf "%-8s %-10s %-22s %-10s %-8s %-10s %-8s\n" "$crowd" "$lever" "$m / $p95 / $p99" "$runMedians" \
                "$(awk -v a="$m" -v b="$noneMedian" 'BEGIN { if (b + 0 > 0) printf "%.3f", a / b; else print "-" }')" \
                "$lc, $lm" \
                "$(awk -v a="$lc" -v b="$noneCpu" 'BEGIN { if (b + 0 > 0) printf "%.3f", a / b; else print "-" }')" |
                tee -a "$report"
        done
    done
}

# The cost of a frame against the crowd, up to 1,000 runners in view, with the game's shortcuts and without.
measure_curve()
{
    {
        echo
        echo "Cost curve: the reference with the game's shortcuts (all) and with none, one run each,"
        echo "${measureSeconds} s measured; runners spread over the 150-runner library's loops"
        echo
        printf "%-6s %8s %7s %7s %7s %7s %6s %6s %8s\n" lever runners frames median p95 p99 cpu main "RSS MB"
    } | tee -a "$report"
    local lever runners
    for runners in $curve; do
        for lever in all none; do
            run_reference "curve-$lever-$runners" 150 "$runners" "$lever"
            summarise_run "$DS_ARTIFACTS/curve-$lever-$runners"
            printf "%-6s %8s %7s %7s %7s %7s %6s %6s %8s\n" "$lever" "$runners" "$frames" "$median" "$p95" "$p99" \
                "$cpu" "$main" "$rss" | tee -a "$report"
        done
    done
    {
        echo
        echo "Least-squares slopes per added runner (over all crowds of the curve):"
        for lever in all none; do
            local frame cpuSlope mainSlope rssSlope
            for what in frames cpu-per-frame main-per-frame; do
                for runners in $curve; do
                    local dir="$DS_ARTIFACTS/curve-$lever-$runners"
                    if [ "$what" = frames ]; then
                        echo "$runners $(percentiles "$dir/frames" | cut -d' ' -f1)"
                    else
                        echo "$runners $(cat "$dir/$what")"
                    fi
                done | least_squares >"$output/slope-$lever-$what"
            done
            for runners in $curve; do
                echo "$runners $(awk '$1 == "VmRSS:" { print $2 }' "$DS_ARTIFACTS/curve-$lever-$runners/memory")"
            done | least_squares >"$output/slope-$lever-rss"
            frame=$(cut -d' ' -f1 "$output/slope-$lever-frames")
            cpuSlope=$(cut -d' ' -f1 "$output/slope-$lever-cpu-per-frame")
            mainSlope=$(cut -d' ' -f1 "$output/slope-$lever-main-per-frame")
            rssSlope=$(cut -d' ' -f1 "$output/slope-$lever-rss")
            awk -v l="$lever" -v f="$frame" -v c="$cpuSlope" -v m="$mainSlope" -v r="$rssSlope" 'BEGIN {
                printf "%-5s frame median %.1f us, cpu %.1f us, main thread %.1f us, resident memory %.0f KB per runner\n",
                    l, 1000 * f, 1000 * c, 1000 * m, 1024 * r }'
        done
    } | tee -a "$report"
}

for part in $parts; do
    case "$part" in
    compare) compare_game_and_reference ;;
    levers) measure_levers ;;
    curve) measure_curve ;;
    *) xs_fail "unknown part $part" ;;
    esac
done

[ "$failedRuns" -eq 0 ] || xs_fail "$failedRuns runs did not show the expected view"
