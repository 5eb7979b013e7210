#!/usr/bin/env bash
# Takes the README's screenshots from the real program on a virtual X server.
#   tools/screenshots.sh [build-dir]     (needs xvfb, xdotool, imagemagick)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=docs
mkdir -p "$out"

if [[ -z "${QUIVARA_IN_XVFB:-}" ]]; then
    QUIVARA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

"$build/quivara" &
game=$!
trap 'kill $game 2>/dev/null || true' EXIT

one=$(xdotool search --sync --onlyvisible --name '^Quivara - 1 jugador$' | head -n1)
# A short game: "Juego Nuevo" clicked, then three rows typed and submitted from the keyboard.
xdotool mousemove --window "$one" 58 63 click 1 mousemove --window "$one" 96 115 click 1 2>/dev/null
xdotool key --window "$one" --delay 30 1 Tab 2 Tab 3 Tab 4 Tab space 2>/dev/null
xdotool key --window "$one" --delay 30 Tab 5 Tab 6 Tab 7 Tab 8 Tab space 2>/dev/null
xdotool key --window "$one" --delay 30 Tab 9 Tab 0 Tab 1 Tab 2 Tab space 2>/dev/null
sleep 0.3
import -window "$one" "$out/one-player.png"
echo "wrote $out/one-player.png"
