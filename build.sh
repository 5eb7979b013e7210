#!/usr/bin/env bash
# Sets up a Debian 12 machine for the game, builds it, then plays it or runs its tests.
#   ./build.sh play    install what is missing, build, start the game
#   ./build.sh test    install what is missing, build, run every test
#   ./build.sh package install what is missing, build, make the Debian package in build/
#   ./build.sh sanitize  the same tests built with AddressSanitizer, LeakSanitizer and UBSan (build-sanitize/)
#   ./build.sh fuzz [s]  every libFuzzer target for s seconds (default 20) from its corpus (build-fuzz/)
#   ./build.sh bench     build, run every benchmark, print one table
set -euo pipefail
cd "$(dirname "$0")"

install_missing() {
    local missing=() pkg
    while read -r pkg; do
        [[ -z "$pkg" || "$pkg" == \#* ]] && continue
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done < tools/packages.txt
    if ((${#missing[@]})); then
        local sudo=""
        [[ $(id -u) -ne 0 ]] && sudo=sudo
        echo "Installing: ${missing[*]}"
        $sudo apt-get update -q
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build
}

# Jobs for the checked builds: sanitized compiles take much memory, so no more than the cores.
jobs() { nproc; }

case "${1:-}" in
play)
    install_missing
    build
    exec ./build/quivara
    ;;
test)
    install_missing
    build
    ctest --test-dir build --output-on-failure -j "$(nproc)"
    ;;
package)
    install_missing
    build
    (cd build && cpack -G DEB)
    ;;
sanitize)
    install_missing
    cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIVARA_SANITIZE=ON
    cmake --build build-sanitize -j "$(jobs)"
    # The Windows code under Wine and the installed package are not this build's code.
    ctest --test-dir build-sanitize --output-on-failure -j "$(jobs)" -LE 'wine|package'
    ;;
fuzz)
    install_missing
    exec fuzz/run.sh "${2:-20}"
    ;;
bench)
    install_missing
    build
    exec bench/run.sh build
    ;;
*)
    echo "usage: $0 play|test|package|sanitize|fuzz [seconds]|bench" >&2
    exit 2
    ;;
esac
