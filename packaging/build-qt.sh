#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a static Qt that one of the game's other builds links, from Debian's own qt6-base source,
# once: the result is kept in a cache outside the clone, under a key made of Qt's version and
# everything that shapes the build, and later runs only print its path.
#   packaging/build-qt.sh windows   Qt for Windows (x86_64-w64-mingw32, mingw-w64)
#   packaging/build-qt.sh web       Qt for WebAssembly (Debian's emscripten)
# Each prints the install prefix of the cached Qt, building it first if needed.
# The cache lives in $QUIVARA_CACHE (default ~/.cache/quivara).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${QUIVARA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quivara}
target=${1:-}

# The Qt version is the host's: the other builds run the host's moc, rcc and uic.
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${version%%+*}
upstream=${upstream%%-*}

# Only what the game and its tests use: Core, Gui, Widgets, Test and the platform plugin, linked
# into the program, with Qt's own copies of zlib, libpng and PCRE2. The game asks no MIME types,
# and Qt's built-in MIME database is gzipped with the time of Qt's build, which would make a Qt
# built again give a program of other bytes. (The options' order is part of the cache key.)
host=(-DCMAKE_BUILD_TYPE=Release -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
      -DBUILD_SHARED_LIBS=OFF)
no_extras=(-DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF)
bundled=(-DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_pcre2=OFF)
case $target in
windows)
    # Windows draws text itself (GDI), so no FreeType or HarfBuzz; tablets are left out because
    # Debian's source has no Wintab headers; DirectWrite 3 is left out with Direct2D, whose plugin
    # alone would use it.
    off=(network sql xml dbus concurrent printsupport opengl vulkan jpeg gif ico pdf
         textodfwriter textmarkdownreader textmarkdownwriter icu zstd harfbuzz freetype
         tabletevent direct2d directwrite3 sessionmanager mimetype_database)
    options=("${host[@]}" -DFEATURE_static_runtime=ON "${no_extras[@]}" -DINPUT_opengl=no "${bundled[@]}")
    toolchain=$here/windows/mingw-toolchain.cmake
    name=mingw-static
    ;;
web)
    # The page's window is WebGL, which the wasm platform plugin reaches through EGL; text is drawn
    # with Qt's own FreeType and HarfBuzz. A page has threads only when its server sends
    # cross-origin isolation headers, so Qt is built without them.
    off=(network sql xml dbus concurrent printsupport vulkan jpeg gif ico pdf
         textodfwriter textmarkdownreader textmarkdownwriter icu zstd
         tabletevent sessionmanager mimetype_database thread)
    options=("${host[@]}" -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten -DEMSCRIPTEN_ROOT_PATH=/usr/share/emscripten
             "${no_extras[@]}" -DFEATURE_egl=ON "${bundled[@]}" -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF)
    toolchain=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
    name=wasm-static
    ;;
*)
    echo "usage: $0 windows|web" >&2
    exit 2
    ;;
esac
for f in "${off[@]}"; do options+=("-DFEATURE_$f=OFF"); done

# What decides what comes out: the version, the options and the toolchain.
key=$({ echo "$version" "${options[@]}"; cat "$toolchain"; } | sha256sum | cut -c1-12)
prefix=$cache/qt-$upstream-$name-$key
if [[ -f $prefix/.complete ]]; then
    echo "$prefix"
    exit 0
fi

work=$cache/build-$key
rm -rf "$work"
mkdir -p "$work/apt/lists/partial" "$work/apt/sources"
# Debian's source, through apt with a private source list (this machine's own mirrors, as deb-src)
# and private lists, so the machine's apt set-up is left as it is.
for f in /etc/apt/sources.list.d/*.sources; do
    [[ -e $f ]] && sed 's/^Types:.*/Types: deb-src/' "$f" >"$work/apt/sources/$(basename "$f")"
done
if [[ -s /etc/apt/sources.list ]]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$work/apt/sources.list"
else
    : >"$work/apt/sources.list"
fi
apt_options=(-o "Dir::Etc::sourcelist=$work/apt/sources.list" -o "Dir::Etc::sourceparts=$work/apt/sources"
             -o "Dir::State::Lists=$work/apt/lists")
echo "Fetching Debian's qt6-base $version source" >&2
apt-get -q "${apt_options[@]}" update >&2
(cd "$work" && apt-get -q "${apt_options[@]}" source "qt6-base=$version" >&2)
src=$(find "$work" -maxdepth 1 -type d -name "qt6-base-*" | head -n 1)

if [[ $target == web ]]; then
    # Qt's configure finds emscripten through an emsdk folder; Debian's emscripten is not one, so
    # the prefix gets a small one pointing at it, which the game's build uses too.
    emsdk=$prefix/emsdk
    mkdir -p "$emsdk/em/cmake/Modules/Platform"
    echo "EMSCRIPTEN_ROOT = 'em'" >"$emsdk/.emscripten"
    ln -sf /usr/bin/emcc "$emsdk/em/emcc"
    ln -sf "$toolchain" "$emsdk/em/cmake/Modules/Platform/Emscripten.cmake"
    export EMSDK=$emsdk
    # Debian's emscripten runs its JavaScript tools with node, which must find Debian's acorn.
    export NODE_PATH=/usr/share/nodejs
fi

echo "Configuring Qt $upstream ($target) in $work/build" >&2
cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" >&2
echo "Building Qt (about 20 minutes on 2 idle cores)" >&2
cmake --build "$work/build" --parallel "$(nproc)" >&2
cmake --install "$work/build" >&2
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
