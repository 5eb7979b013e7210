#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the README's test command, the sanitizer build's tests and the Windows suite under Wine N times
# each while two CPU-bound loops keep the machine busy, then prints how many runs failed and which tests.
#   tools/stress-tests.sh [N (default 5)] [build.sh commands (default: test sanitize windows-test)]
# Each run is `./build.sh <command>`: the first also builds what is out of date.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
commands=("${@:2}")
((${#commands[@]})) || commands=(test sanitize windows-test)

busy=()
for _ in 1 2; do
    sh -c 'while :; do :; done' &
    busy+=($!)
done
trap 'kill "${busy[@]}" 2>/dev/null' EXIT

log=$(mktemp -d)
declare -A failedRuns=()
# `./build.sh $1` N times.
stress() {
    local command=$1 i
    failedRuns[$command]=0
    for ((i = 1; i <= runs; i++)); do
        local out="$log/$command-$i.txt" start=$SECONDS
        if ./build.sh "$command" >"$out" 2>&1; then
            echo "$command run $i: passed in $((SECONDS - start)) s"
        else
            failedRuns[$command]=$((failedRuns[$command] + 1))
            echo "$command run $i: FAILED in $((SECONDS - start)) s:" \
                "$(grep -E '^\s+[0-9]+ - ' "$out" | sed -E 's/^\s+[0-9]+ - //' | tr '\n' ' ')"
        fi
    done
}

failed=0
for command in "${commands[@]}"; do
    stress "$command"
done
echo
for command in "${commands[@]}"; do
    echo "$command: ${failedRuns[$command]} of $runs runs failed"
    failed=$((failed + failedRuns[$command]))
done
echo "logs: $log"
((failed == 0))
