#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Counts the code of every tracked file by what the file does, test code against all other code
# (the game, the build, the packaging, the benchmarks, the tools), lists the test files, and fails
# when the tests pass 35 % of the other code. A counted line is neither blank nor a comment alone.
# Pictures, package lists, documents, data and the fuzz corpus are not code.
set -euo pipefail
cd "$(dirname "$0")/.."
limit=35

# Sets comment to the pattern of a comment filling a line of the file $1, empty when the file is
# not code.
comment_of() {
    case $1 in
    fuzz/corpus/*) comment= ;;
    *.cpp | *.h | *.js | *.rc.in) comment='//' ;;
    *.sh | *.py | *.cmake | CMakeLists.txt | */CMakeLists.txt | .ci/run) comment='#' ;;
    *NSIS.template.in) comment='[;#]' ;;
    *.html.in) comment='(//|/\*|<!--)' ;;
    *) comment= ;;
    esac
}

# Whether the file $1 is test code: the tests and fuzzers, the test scripts wherever they sit, the
# scripts that run them, and what only they use. tools/xwindows.sh and tools/browsers.py also
# drive the screenshot script and the page's benchmark, so they count as tools.
is_test() {
    case $1 in
    tests/* | fuzz/* | packaging/test-* | packaging/*/test-*) ;;
    .ci/run | tools/stress-tests.sh | packaging/names-play.sh) ;;
    *) return 1 ;;
    esac
}

tests=0 other=0 test_files=0 other_files=0 listed=()
while IFS= read -r -d '' file; do
    comment_of "$file"
    [[ -n $comment ]] || continue
    lines=$(grep -c -v -E "^\s*(${comment}.*)?$" "$file" || true)
    if is_test "$file"; then
        tests=$((tests + lines)) test_files=$((test_files + 1))
        listed+=("$(printf '%6d  %s' "$lines" "$file")")
    else
        other=$((other + lines)) other_files=$((other_files + 1))
    fi
done < <(git ls-files -z)

echo "Test code, by file:"
printf '%s\n' "${listed[@]}"
echo "test code:  $tests lines in $test_files files"
echo "other code: $other lines in $other_files files"
awk -v t="$tests" -v o="$other" -v limit="$limit" \
    'BEGIN { printf "the tests are %.1f %% of the other code (at most %d %%)\n", 100 * t / o, limit }'
if ((tests * 100 > other * limit)); then
    echo "the tests exceed $limit % of the other code" >&2
    exit 1
fi
