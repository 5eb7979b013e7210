#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The same program, installer and zip from another checkout of the same sources: they are copied into
# a folder of another depth (their files dated now), configured with the same Qt as this build tree,
# the program alone built and everything packaged, under another umask and time zone, as on another
# machine; then each file is compared byte for byte with what this build tree gives.
#   test-reproducible.sh SOURCE_DIR BUILD_DIR QT_CMAKE GENERATOR BUILD_TYPE
set -euo pipefail
src=$1 build=$2 qt_cmake=$3 generator=$4 build_type=$5
work=$(mktemp -d)
# The second checkout in memory where it can be: tmpfs lists a folder's files newest first, ext4 in
# an order of its own, so what depends on that order shows.
other=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work" "$other"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# Runs a step with its output in a log, shown only when the step fails.
step() {
    local log=$work/$1.log
    shift
    local start=$SECONDS
    "$@" >"$log" 2>&1 || { local status=$?; tail -n 40 "$log"; fail "$* ended with status $status"; }
    echo "$(basename "$log" .log): $((SECONDS - start)) s"
}
# As build.sh does: the last commit's time unless SOURCE_DATE_EPOCH is given.
if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
    SOURCE_DATE_EPOCH=$(git -C "$src" log -1 --format=%ct) || fail "no SOURCE_DATE_EPOCH and no commit to take it from"
fi
export SOURCE_DATE_EPOCH

step first-packages "$src/packaging/windows/dist.sh" "$build" "$work/first"

# The work tree's tracked and new files as they are now, extracted with the current time.
copy=$other/another/checkout/of/quivara
mkdir -p "$copy"
(cd "$src" && git ls-files -z --cached --others --exclude-standard |
    tar --null --files-from=- --ignore-failed-read -cf -) | tar -C "$copy" --touch -xf -
# The program is built without SOURCE_DATE_EPOCH, which only the packaging may use: its bytes must
# not depend on any time.
build_copy() (
    umask 027
    export TZ=QVR-13:45
    env -u SOURCE_DATE_EPOCH "$qt_cmake" -S "$copy" -B "$copy/build-windows" -G "$generator" \
        -DCMAKE_BUILD_TYPE="$build_type" -DBUILD_TESTING=ON \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$copy/packaging/windows/mingw-toolchain.cmake" &&
        env -u SOURCE_DATE_EPOCH nice cmake --build "$copy/build-windows" --target quivara &&
        "$copy/packaging/windows/dist.sh" "$copy/build-windows" "$other/dist"
)
step second-build build_copy

[[ $(wc -l <"$work/first/SHA256SUMS") -eq 3 ]] || fail "expected three files: $(cat "$work/first/SHA256SUMS")"
different=0
while read -r _ name; do
    first=$work/first/$name second=$other/dist/$name
    if cmp -s "$first" "$second"; then
        echo "same: $name, $(stat -c %s "$first") bytes"
    else
        echo "DIFFERENT: $name, $(cmp -l "$first" "$second" 2>&1 | wc -l) bytes differ"
        if [[ $name == *.exe ]]; then
            diff <(objdump -p "$first" | sed 1,2d) <(objdump -p "$second" | sed 1,2d) | head -n 20 || true
        fi
        different=1
    fi
done <"$work/first/SHA256SUMS"
((different == 0)) || fail "the second build differs from the first"
cmp -s "$work/first/SHA256SUMS" "$other/dist/SHA256SUMS" || fail "SHA256SUMS differ"
