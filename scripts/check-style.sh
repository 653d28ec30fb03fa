#!/usr/bin/env bash
# Fails when a tracked C++ source differs from what clang-format makes of it (.clang-format at the root), or when
# a tracked file has whitespace errors (trailing blanks, a space before a tab in the indent, blank lines at the
# end). Files marked -whitespace in .gitattributes (hand-made test inputs) are left out of the second check.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

# The working tree against the empty tree: every line of every tracked file counts as added.
emptyTree="$(git hash-object -t tree /dev/null)"
git diff --check "$emptyTree" --
