#!/usr/bin/env bash
# Installs what is missing, builds the game and its data (not the tests), and starts dunestride in the build's
# run folder, beside its data and "library1.xml".
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh" "$root/build" --target dunestride --target game_data
cd "$root/build/run"
exec "$root/build/game/shell/dunestride"
