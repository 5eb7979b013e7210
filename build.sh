#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a Debian 12 machine for the game, builds it, then plays it or runs its tests.
#   ./build.sh play              build the game alone (build-play/) and start it
#   ./build.sh test              build the game, its tests and benchmarks (build/), run every test
#   ./build.sh package           the same build, then the Debian package in build/
#   ./build.sh sanitize          the tests with AddressSanitizer, LeakSanitizer and UBSan (build-sanitize/)
#   ./build.sh fuzz [s]          every fuzz target for s seconds (default 20) from its corpus (build-fuzz/)
#   ./build.sh bench             the same build as test, then every benchmark in one table
#   ./build.sh windows           the Windows program, installer and zip in build-windows/dist/ (cross-built)
#   ./build.sh windows-test      the same, then every test as a Windows program under Wine, and the installer
#   ./build.sh windows-bench [n] the same, then the Windows start-up benchmark under Wine (n starts each)
#   ./build.sh web               the game as a web page in build-web/dist/ (Debian's emscripten)
#   ./build.sh web-serve         the same, then serves the page to a browser on http://localhost:8080/
#   ./build.sh web-test          the same, then the tests without windows under Node and the page in
#                                Chromium, Firefox and WebKit
#   ./build.sh web-bench [n]     the same, then the page's load benchmark in Chromium (n loads each)
#   ./build.sh help              this list
# Each command first installs the Debian packages it lacks: tools/packages/<platform>-build.txt, and
# <platform>-test.txt for tests and benchmarks. Each build tree is configured by the preset of its
# name in CMakePresets.json. The first Windows or web build also builds that platform's static Qt
# into ~/.cache/quivara (packaging/build-qt.sh), once.
set -euo pipefail
cd "$(dirname "$0")"

# Installs the packages listed in the given files that are not installed yet.
install_missing() {
    local missing=() pkg
    while read -r pkg; do
        [[ -z "$pkg" || "$pkg" == \#* ]] && continue
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done < <(cat "$@")
    if ((${#missing[@]})); then
        local sudo=""
        [[ $(id -u) -ne 0 ]] && sudo=sudo
        echo "Installing: ${missing[*]}"
        $sudo apt-get update -q
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}
packages=tools/packages

# Configures the build tree of preset $1 and builds it; further arguments go to the build.
build_preset() {
    cmake --preset "$1"
    cmake --build --preset "$1" "${@:2}"
}

# The commands printed by help: the list at the top of this file.
usage() {
    echo "usage: ./build.sh COMMAND, one of:"
    sed -n 's/^#   \.\/build\.sh /  /p' build.sh
}

# The time the packages give their files: SOURCE_DATE_EPOCH when set, else the last commit's, so
# that the same commit gives the same packages byte for byte.
source_date_epoch() {
    if [[ -z ${SOURCE_DATE_EPOCH:-} ]] && SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null); then
        export SOURCE_DATE_EPOCH
    fi
}

# Starts the build tree $1 afresh when it was configured with a Qt other than the one at $2:
# CMake keeps the Qt it found first.
forget_other_qt() {
    if [[ -f $1/CMakeCache.txt ]] && ! grep -qF "Qt6_DIR:PATH=$2/" "$1/CMakeCache.txt"; then
        rm -rf "$1"
    fi
}

# Jobs for the checked builds: sanitized compiles take much memory, so no more than the cores.
jobs() { nproc; }

# The Windows build: Debian's Qt source built once for mingw-w64 (packaging/build-qt.sh windows),
# then the game and its tests cross-built against it; the program, installer and zip end up in
# build-windows/dist/ with their SHA256SUMS, the same bytes from every build of a commit.
# Arguments: further package lists.
windows_build() {
    install_missing $packages/linux-build.txt $packages/windows-build.txt "$@"
    QUIVARA_QT_WINDOWS=$(packaging/build-qt.sh windows)
    export QUIVARA_QT_WINDOWS
    # Set after Qt is built: its resource compiler would write this commit's time into the cached Qt.
    source_date_epoch
    forget_other_qt build-windows "$QUIVARA_QT_WINDOWS"
    # The preset chainloads this clone's toolchain file, not the one the cached Qt was built with
    # (another clone's).
    build_preset windows
    packaging/windows/dist.sh build-windows build-windows/dist
    ls -l build-windows/dist
}

# The browser build: Debian's Qt source built once with Debian's emscripten, then the game, its
# tests without windows and the benchmark's pages; the page ends up in build-web/dist/. Qt finds
# emscripten through the emsdk folder kept with it, emscripten's CMake files through EMSCRIPTEN;
# emscripten's tools run on this machine's node, which must find Debian's modules: the preset
# sets all three for CMake and CTest. Arguments: further package lists.
web_build() {
    install_missing $packages/linux-build.txt $packages/web-build.txt "$@"
    QUIVARA_QT_WEB=$(packaging/build-qt.sh web)
    export QUIVARA_QT_WEB
    forget_other_qt build-web "$QUIVARA_QT_WEB"
    build_preset web
    ls -l build-web/dist
}

linux_packages=("$packages/linux-build.txt" "$packages/linux-test.txt")
case "${1:-}" in
play)
    # Only the game and what it needs to build and run.
    install_missing $packages/linux-build.txt
    build_preset play
    exec ./build-play/quivara
    ;;
test)
    install_missing "${linux_packages[@]}"
    build_preset linux
    ctest --preset linux -j "$(nproc)" -LE package
    # The package test installs the .deb and drives the installed game on a virtual X server.
    ctest --preset linux -L package
    ;;
package)
    install_missing "${linux_packages[@]}"
    build_preset linux
    # Every file in the package carries the last commit's time.
    source_date_epoch
    (cd build && cpack -G DEB)
    ;;
sanitize)
    install_missing "${linux_packages[@]}"
    build_preset sanitize -j "$(jobs)"
    # The preset leaves out two tests. The installed package is not this build's code. The Orca test
    # (label orca) runs in the normal build only: Qt's AT-SPI key forwarding keeps a copy of each
    # key event until the screen reader answers and leaks it when the answer comes late (its widget
    # gone, the program ended), which LeakSanitizer reports now and then; Qt's library has no
    # symbols to suppress just that leak.
    ctest --preset sanitize -j "$(jobs)"
    ;;
fuzz)
    install_missing "${linux_packages[@]}"
    exec fuzz/run.sh "${2:-20}"
    ;;
bench)
    install_missing "${linux_packages[@]}"
    build_preset linux
    exec bench/run.sh build
    ;;
windows)
    windows_build
    ;;
windows-test)
    windows_build $packages/windows-test.txt
    # Windows programs need an X server for their windows; every test shares this one.
    xvfb-run -a -s "-screen 0 1280x1024x24 -ac" ctest --preset windows
    ;;
windows-bench)
    windows_build $packages/windows-test.txt
    xvfb-run -a -s "-screen 0 1280x1024x24 -ac" bench/windows_startup.py /usr/lib/wine/wine64 \
        /usr/lib/wine/wineserver64 build-windows/quivara.exe \
        build-windows/quivara_bench_startup_reference.exe "${2:-12}"
    ;;
web)
    web_build
    ;;
web-serve)
    web_build
    echo "Quivara: open http://localhost:8080/ in a browser (Ctrl+C here stops the server)"
    exec python3 -m http.server --bind 127.0.0.1 --directory build-web/dist 8080
    ;;
web-test)
    web_build $packages/web-test.txt
    ctest --preset web
    ;;
web-bench)
    web_build $packages/web-test.txt
    exec /usr/bin/python3 bench/web_startup.py build-web "${2:-12}"
    ;;
help | -h | --help)
    usage
    ;;
*)
    usage >&2
    exit 2
    ;;
esac
