#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# An ordinary user plays the installed game on a virtual screen: types a name in the
# two-player window, leaves it, and finds the name again on the next start.
#   test-names-as-user.sh PROGRAM USER      (run as root; starts its own X server)
set -uo pipefail
program=$1 user=$2

if [[ -z "${QUIVARA_IN_XVFB:-}" ]]; then
    # -ac: the user's game may connect without root's X authority file.
    QUIVARA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -ac" "$0" "$@"
fi

fail() { echo "FAIL: $*"; [[ -s $home/stderr ]] && sed "s/^/  game: /" "$home/stderr"; exit 1; }

home=$(mktemp -d)
game=
cleanup() {
    [[ -n $game ]] && kill "$game" 2>/dev/null
    rm -rf "$home"
}
trap cleanup EXIT
chown "$user:" "$home"
install -d -m 700 -o "$user" "$home/runtime"
data=$home/.local/share/Quivara

# The game as `user`, with nothing of root's environment but the screen.
start_game() {
    runuser -u "$user" -- env -i HOME="$home" XDG_RUNTIME_DIR="$home/runtime" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin "$program" 2>"$home/stderr" &
    game=$!
}

source "$(dirname "$0")/../tools/xwindows.sh"
source "$(dirname "$0")/names-play.sh"


play type_name
holds "$data/player1.txt" 'Ana Bel'
holds "$data/player2.txt" 'Player2'
[[ ! -e "$(dirname "$program")/player1.txt" ]] || fail "a name file was written beside $program"
echo "the user's names were saved in ~/.local/share/Quivara"

# The next start shows the saved name: leaving the window at once writes back what it showed.
touch -d @946684800 "$data/player1.txt"
play no_edit
[[ $(stat -c %Y "$data/player1.txt") -gt 946684800 ]] || fail "the second stay did not save the names"
holds "$data/player1.txt" 'Ana Bel'
! grep -q 'could not save' "$home/stderr" || fail "$(cat "$home/stderr")"
echo "the second start showed the saved name"
