#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Counts code and test lines (non-blank, not a // comment) and fails when the tests pass 40 % of the code.
set -euo pipefail
cd "$(dirname "$0")/.."

# The counted lines of the tracked files under the given folders whose names match the pattern.
count() {
    local pattern=$1
    shift
    git ls-files -z -- "$@" | grep -z -E "$pattern" | xargs -0 -r grep -h -c -v -E '^\s*(//.*)?$' |
        awk '{ n += $1 } END { print n + 0 }'
}

code=$(count '\.(cpp|h)$' rules platform forms one_player two_player shell)
tests=$(count '\.(cpp|h|py|sh)$' tests fuzz)
percent=$((100 * tests / code))
echo "product code: $code lines (rules/ platform/ forms/ one_player/ two_player/ shell/)"
echo "tests:        $tests lines (tests/ fuzz/), $percent % of the code"
if ((tests * 100 > code * 40)); then
    echo "the tests exceed 40 % of the code" >&2
    exit 1
fi
