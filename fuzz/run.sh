#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang, libFuzzer and AddressSanitizer and runs each for a bounded time from
# its corpus in fuzz/corpus/<name>/ (new inputs go to build-fuzz/corpus/<name>/); a crash stops the run.
#   fuzz/run.sh [seconds per target (default 20)]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for name in marking namefile registryvalue; do
    mkdir -p "build-fuzz/corpus/$name"
    echo "== fuzz_$name for ${1:-20} s (a crash's input lands in build-fuzz/: add it to fuzz/corpus/$name/)"
    build-fuzz/fuzz/fuzz_"$name" -max_total_time="${1:-20}" -timeout=10 -rss_limit_mb=2048 -artifact_prefix=build-fuzz/ \
        "build-fuzz/corpus/$name" "fuzz/corpus/$name" 2>&1 | tail -n 30
done
