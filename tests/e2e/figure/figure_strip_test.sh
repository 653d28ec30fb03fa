#!/usr/bin/env bash
# Renders the running man's animations in a private X server and checks the frames; see main.cpp.
# Usage: figure_strip_test.sh PROGRAM STRIP.png
set -euo pipefail
program=$1
strip=$2
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../lib/xsession.sh
source "$here/../lib/xsession.sh"
xs_start
workdir="$(dirname "$strip")"
mkdir -p "$workdir"
cd "$workdir"
"$program" "$strip"
