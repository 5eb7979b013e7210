#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark of a build and prints one table (run through ./build.sh bench).
#   bench/run.sh [build dir (default build)] [start-up runs (default 30)]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}/bench
runs=${2:-30}

echo "Quivara benchmarks, $(date +%F), $(nproc) cores, $(uname -m), offscreen;"
echo "medians; start-up: $runs starts of each program, alternating; switch: $((runs * 2)) of each after one unmeasured round"
echo
"$dir"/quivara_bench_startup --header --runs "$runs"
"$dir"/quivara_bench_switch --rounds "$((runs * 2 + 1))"
