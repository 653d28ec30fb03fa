#!/usr/bin/env bash
# Configures and builds the project. Usage: scripts/build.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
buildDir="${1:-$root/build}"
shift || true
cmake -S "$root" -B "$buildDir" "$@" >/dev/null
cmake --build "$buildDir" -j "$(nproc)"
