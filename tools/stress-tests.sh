#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the whole test suite of the normal build and of the sanitizer build N times each while two
# CPU-bound loops keep the machine busy, then prints how many runs failed and which tests.
#   tools/stress-tests.sh [N (default 5)]
# Builds both first (build/ and build-sanitize/, as ./build.sh test and ./build.sh sanitize do).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
cmake --build build >/dev/null
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIVARA_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j "$(nproc)" >/dev/null

busy=()
for _ in 1 2; do
    sh -c 'while :; do :; done' &
    busy+=($!)
done
trap 'kill "${busy[@]}" 2>/dev/null' EXIT

log=$(mktemp -d)
declare -A failedRuns=()
# One suite N times; the ctest lines are those of ./build.sh test and ./build.sh sanitize.
stress() {
    local name=$1 i
    shift
    failedRuns[$name]=0
    for ((i = 1; i <= runs; i++)); do
        local out="$log/$name-$i.txt" start=$SECONDS ok=1
        local cmd
        for cmd in "$@"; do
            eval "$cmd" >>"$out" 2>&1 || ok=0
        done
        if ((ok)); then
            echo "$name run $i: passed in $((SECONDS - start)) s"
        else
            failedRuns[$name]=$((failedRuns[$name] + 1))
            echo "$name run $i: FAILED in $((SECONDS - start)) s:" \
                "$(grep -E '^\s+[0-9]+ - ' "$out" | sed -E 's/^\s+[0-9]+ - //' | tr '\n' ' ')"
        fi
    done
}

stress normal \
    "ctest --test-dir build --output-on-failure -j $(nproc) -LE package" \
    "ctest --test-dir build --output-on-failure -L package"
stress sanitize "ctest --test-dir build-sanitize --output-on-failure -j $(nproc) -LE 'wine|package'"

echo
echo "normal build: ${failedRuns[normal]} of $runs runs failed; sanitizer build: ${failedRuns[sanitize]} of $runs runs failed"
echo "logs: $log"
((failedRuns[normal] + failedRuns[sanitize] == 0))
