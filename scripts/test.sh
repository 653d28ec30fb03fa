#!/usr/bin/env bash
# Checks the sources' formatting and whitespace, then builds everything and runs every test: unit, engine and
# end-to-end tests in the normal build, then the unit and engine tests again in an AddressSanitizer/
# UndefinedBehaviorSanitizer build with leak checking, then a one-minute run of the library reader's fuzz target.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/install-deps.sh"
"$root/scripts/check-style.sh"

"$root/scripts/build.sh" "$root/build" -DDUNESTRIDE_WERROR=ON
ctest --test-dir "$root/build" --output-on-failure -j 2 -LE bench

"$root/scripts/build.sh" "$root/build-asan" -DDUNESTRIDE_SANITIZE=ON -DDUNESTRIDE_WERROR=ON -DDUNESTRIDE_BENCH=OFF
ctest --test-dir "$root/build-asan" --output-on-failure -j 2 -L 'unit|engine'

"$root/scripts/fuzz.sh" 60
