#!/usr/bin/env bash
# Draws the game's scene from fixed views with and without its drawing shortcuts in a private X server and compares
# the pictures; see SceneViews.cpp.
# Usage: scene_views_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail
program=$1
output=$2
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../lib/xsession.sh
source "$here/../lib/xsession.sh"
xs_start 1024x768x24
mkdir -p "$output"
cd "$output"
"$program" "$output"
