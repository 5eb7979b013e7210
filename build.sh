#!/usr/bin/env bash
# Sets up a Debian 12 machine for the game, builds it, then plays it or runs its tests.
#   ./build.sh play    install what is missing, build, start the game
#   ./build.sh test    install what is missing, build, run every test
#   ./build.sh package install what is missing, build, make the Debian package in build/
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
*)
    echo "usage: $0 play|test|package" >&2
    exit 2
    ;;
esac
