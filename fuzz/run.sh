#!/usr/bin/env bash
# Builds every fuzz target with clang and libFuzzer (plus AddressSanitizer and UBSan) and
# runs each for a bounded time, starting from its committed corpus in fuzz/corpus/<name>/.
#   fuzz/run.sh [seconds per target (default 20)] [target ...]
# A crash stops the run and names the input; copy it into fuzz/corpus/<name>/ so the
# corpus replay test (fuzz_<name>_corpus) keeps checking it once it is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."

# One entry per fuzz/fuzz_<name>.cpp (also listed in fuzz/CMakeLists.txt).
TARGETS=(
    marking
    namefile
    registryvalue
)

seconds=${1:-20}
shift || true
(($#)) && TARGETS=("$@")

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUIVARA_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz --target "${TARGETS[@]/#/fuzz_}"

for name in "${TARGETS[@]}"; do
    # New inputs go to the first (scratch) directory; the committed corpus is only read.
    work=build-fuzz/corpus/$name
    artifacts=build-fuzz/artifacts/$name
    mkdir -p "$work" "$artifacts"
    echo "== fuzz_$name for ${seconds} s"
    if ! build-fuzz/fuzz/fuzz_"$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -artifact_prefix="$artifacts/" -print_final_stats=1 "$work" "fuzz/corpus/$name" 2>build-fuzz/fuzz_"$name".log; then
        tail -n 40 build-fuzz/fuzz_"$name".log >&2
        echo "fuzz_$name failed; the input is in $artifacts/ — add it to fuzz/corpus/$name/" >&2
        exit 1
    fi
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+.*DONE)' build-fuzz/fuzz_"$name".log || true
done
