#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the README's screenshots of the four windows from the real program on a virtual X server.
#   tools/screenshots.sh [build-dir]     (needs xvfb, xdotool, imagemagick)
# Given the Windows build (build-windows), it takes the same pictures of the Windows program under
# Wine, in a throw-away prefix, as docs/windows-<name>.png.
# docs/splash.png      the splash window, shown by tools/splashstill.cpp with its timer stopped
# docs/one-player.png  the game after "Juego Nuevo" and three rows
# docs/two-player.png  F2, names, codes and the first rows of a match
# docs/about.png       "Ayuda" > "Acerca de" from the two-player window
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=docs
mkdir -p "$out"

if [[ -z "${QUIVARA_IN_XVFB:-}" ]]; then
    QUIVARA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
work=$(mktemp -d)
run=() exe="" shot="" still=$build/tools/quivara_splash_still
if [[ -f $build/quivara.exe ]]; then
    # Every Windows program of the build lies in its top folder.
    export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    run=(/usr/lib/wine/wine64) exe=.exe shot=windows- still=$build/quivara_splash_still
fi

# The splash lives about 66 ms in the game; this shows the same window and keeps it.
"${run[@]}" "$still$exe" "$out/${shot}splash.png"

# The game runs from a copy in a temporary directory: no name files come in or stay behind.
cp "$build/quivara$exe" "$work/"
"${run[@]}" "$work/quivara$exe" &
game=$!
trap 'kill $game 2>/dev/null || true; [[ -z $exe ]] || /usr/lib/wine/wineserver64 -k; rm -rf "$work"' EXIT

source tools/xwindows.sh
keys() { xdotool key --delay 30 "$@" 2>/dev/null; }

one=$(window '^Quivara - 1 jugador$')
# A short game: "Juego Nuevo" clicked, then three rows typed and submitted from the keyboard.
xdotool mousemove --window "$one" 58 63 click 1 mousemove --window "$one" 96 115 click 1 2>/dev/null
xdotool key --window "$one" --delay 30 1 Tab 2 Tab 3 Tab 4 Tab space 2>/dev/null
xdotool key --window "$one" --delay 30 Tab 5 Tab 6 Tab 7 Tab 8 Tab space 2>/dev/null
xdotool key --window "$one" --delay 30 Tab 9 Tab 0 Tab 1 Tab 2 Tab space 2>/dev/null
sleep 0.3
import -window "$one" "$out/${shot}one-player.png"
echo "wrote $out/${shot}one-player.png"

# F2: the two-player window. Places below are in window pixels (a 19-pixel menu bar, then the client area).
xdotool windowfocus --sync "$one" key F2 2>/dev/null
two=$(window '^Quivara - 2 jugadores$')
xdotool mousemove --window "$two" 110 111 click 1 2>/dev/null && keys ctrl+a A n a          # Text89
xdotool mousemove --window "$two" 590 111 click 1 2>/dev/null && keys ctrl+a L u i s        # Text90
# The codes, masked: Player1's 5826 (Text81 and the three after it), then Player2's 3941.
xdotool mousemove --window "$two" 68 143 click 1 2>/dev/null
keys 5 Tab 8 Tab 2 Tab 6 Tab 3 Tab 9 Tab 4 Tab 1
# Player1 row 1, Player2 row 1, Player1 row 2 (a hit: Player2 may still tie).
xdotool mousemove --window "$two" 96 187 click 1 2>/dev/null                                # Text7
keys 1 Tab 2 Tab 3 Tab 4 Tab space Tab 5 Tab 6 Tab 7 Tab 8 Tab space Tab 3 Tab 9 Tab 4 Tab 1 Tab space
sleep 0.3
import -window "$two" "$out/${shot}two-player.png"
echo "wrote $out/${shot}two-player.png"

# "Ayuda" on the menu bar, then "Acerca de", its second item.
xdotool mousemove --window "$two" 122 9 click 1 2>/dev/null
sleep 0.3
xdotool mousemove --window "$two" 150 51 click 1 2>/dev/null
about=$(window '^Acerca de Quivara$')
sleep 0.3
import -window "$about" "$out/${shot}about.png"
echo "wrote $out/${shot}about.png"
