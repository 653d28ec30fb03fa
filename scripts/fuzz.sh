#!/usr/bin/env bash
# Builds the trajectory library reader's fuzz target with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs it.
# Usage: scripts/fuzz.sh [seconds, default 60] [more libFuzzer options...]
# New inputs go to build-fuzz/fuzz-corpus; the seed corpus in tests/fuzz/corpus is read only. A finding stops
# the run with a non-zero status and leaves the input as build-fuzz/crash-* (or leak-*, timeout-*, oom-*).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
seconds="${1:-60}"
shift || true
buildDir="$root/build-fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$buildDir" -DDUNESTRIDE_FUZZ=ON -DDUNESTRIDE_BENCH=OFF >/dev/null
cmake --build "$buildDir" --target library_reader_fuzz -j "$(nproc)"

mkdir -p "$buildDir/fuzz-corpus"
cd "$buildDir"
# Inputs stay small enough for the unguarded parser in the differential check to keep its recursion on the stack
# (kFuzzMaxInputBytes in tests/fuzz/LibraryReaderChecks.h).
"$buildDir/tests/fuzz/library_reader_fuzz" -max_len=8192 -timeout=20 -max_total_time="$seconds" \
    -print_final_stats=1 "$@" "$buildDir/fuzz-corpus" "$root/tests/fuzz/corpus"
