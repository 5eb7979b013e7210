# SPDX-License-Identifier: GPL-3.0-or-later
# A player's stays in the two-player window of the running game, for the tests of an installed
# game. Source it after tools/xwindows.sh; the caller defines start_game (starts the game in the
# background and sets $game to its process) and fail (prints its arguments and exits).
# One stay in the two-player window: F2 opens it, F1 ("Un Jugador") leaves it and saves
# the names, Alt+S ("&Salir") in the one-player window ends the game. `edit` runs in between.
play() {
    local edit=$1 one two
    start_game
    one=$(window '^Quivara - 1 jugador$' "$game") || fail "no one-player window"
    press "$one" F2 || fail "F2 could not be pressed in the one-player window"
    two=$(window '^Quivara - 2 jugadores$' "$game") || fail "F2 opened no two-player window"
    $edit "$two"
    press "$two" F1 || fail "F1 could not be pressed in the two-player window"
    gone '^Quivara - 2 jugadores$' || fail "F1 left the two-player window open"
    one=$(window '^Quivara - 1 jugador$' "$game") || fail "F1 opened no one-player window"
    press "$one" alt+s || fail "Alt+S could not be pressed in the one-player window"
    timeout "$xwindows_deadline" tail --pid="$game" -f /dev/null || fail "the game did not end on Alt+S"
    wait "$game" || fail "the game ended with status $?"
    game=
}

# Types $typed_name (default "Ana Bel") into Player1's name field Text89 (72,80 px in the client
# area, below a 19-pixel menu bar). The window gets the keyboard focus first: the keys must not go
# to whatever window had it before.
type_name() {
    xdotool windowfocus --sync "$1" mousemove --window "$1" 110 111 click 1 key ctrl+a type "${typed_name:-Ana Bel}" 2>/dev/null ||
        fail "could not type a name in the two-player window"
}
no_edit() { :; }
holds() { cmp -s "$1" <(printf '%s\r\n' "$2") || fail "$1 holds $(od -An -c "$1" 2>&1), not $2 CR LF"; }
