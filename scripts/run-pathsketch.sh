#!/usr/bin/env bash
# Builds pathsketch (not the tests) and the game data, and starts the tool in the build's run folder, where the
# game looks for "library1.xml". With no argument the tool continues that library; a FILE argument is taken
# relative to the folder the script was started from.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
arguments=("$@")
if [ $# -eq 0 ]; then
    arguments=(library1.xml)
elif [ $# -eq 1 ] && [[ "$1" != -* && "$1" != /* ]]; then
    arguments=("$PWD/$1")
fi
"$root/scripts/build.sh" "$root/build" --target pathsketch --target game_data
cd "$root/build/run"
exec "$root/build/tool/pathsketch" "${arguments[@]}"
