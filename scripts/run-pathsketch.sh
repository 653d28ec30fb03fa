#!/usr/bin/env bash
# Builds pathsketch (not the tests) and starts it in the build's run folder, where the game looks for
# "library1.xml".
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh" "$root/build" --target pathsketch
cd "$root/build/run"
exec "$root/build/tool/pathsketch"
