#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (with AddressSanitizer and UBSan) and runs each for
# a bounded time from its corpus in fuzz/corpus/<name>/; a crash's input goes into that corpus.
#   fuzz/run.sh [seconds per target (default 20)]
set -euo pipefail
cd "$(dirname "$0")/.."
targets=(marking namefile registryvalue)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIVARA_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}"
for name in "${targets[@]}"; do
    mkdir -p "build-fuzz/corpus/$name" "build-fuzz/artifacts/$name"
    echo "== fuzz_$name for ${1:-20} s"
    # New inputs go to the scratch directory first; the committed corpus is only read.
    log=build-fuzz/fuzz_$name.log
    if ! build-fuzz/fuzz/fuzz_"$name" -max_total_time="${1:-20}" -timeout=10 -rss_limit_mb=2048 \
            -artifact_prefix="build-fuzz/artifacts/$name/" "build-fuzz/corpus/$name" "fuzz/corpus/$name" 2>"$log"; then
        tail -n 40 "$log" >&2
        echo "fuzz_$name failed; add its input in build-fuzz/artifacts/$name/ to fuzz/corpus/$name/" >&2
        exit 1
    fi
    tail -n 1 "$log"
done
