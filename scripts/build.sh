#!/usr/bin/env bash
# Configures and builds the project.
# Usage: scripts/build.sh [build-dir] [extra cmake arguments...] [--target NAME...]
# Without --target it builds everything; configure messages are shown only when configuring fails.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
buildDir="${1:-$root/build}"
shift || true
configureArgs=()
targets=()
while [ $# -gt 0 ]; do
    if [ "$1" = --target ]; then
        targets+=("${2:?--target needs a target name}")
        shift 2
    else
        configureArgs+=("$1")
        shift
    fi
done
if ! configureLog="$(cmake -S "$root" -B "$buildDir" "${configureArgs[@]}" 2>&1)"; then
    printf '%s\n' "$configureLog" >&2
    echo "build.sh: configuring $buildDir failed" >&2
    exit 1
fi
cmake --build "$buildDir" -j "$(nproc)" ${targets[@]+--target "${targets[@]}"}
