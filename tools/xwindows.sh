# SPDX-License-Identifier: GPL-3.0-or-later
# Waiting for the game's windows on an X server, for the scripts that drive the real program.
# Source it; needs xdotool. xdotool gives up when a window vanishes while it is looking, as one
# does at every switch between the game windows, so each question is asked again until it holds.
# The deadlines only bound a failure: a busy machine may take many seconds to start the game.
xwindows_deadline=60

# Succeeds while the process $1 runs: not ended, nor ended and not yet waited for.
running() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) && [[ $state != Z* ]]
}

# Prints the first visible window whose title matches $1; fails when none shows in time, and at
# once when the process $2 (if given), which is to show it, has ended.
window() {
    local found deadline=$((SECONDS + xwindows_deadline))
    while ((SECONDS < deadline)); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1)
        [[ -n $found ]] && { echo "$found"; return 0; }
        [[ -n ${2:-} ]] && ! running "$2" && return 1
        sleep 0.1
    done
    return 1
}

# Succeeds once no visible window's title matches $1, three looks in a row; fails when one stays.
gone() {
    local misses=0 deadline=$((SECONDS + xwindows_deadline))
    while ((SECONDS < deadline)); do
        if xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; then misses=0; else misses=$((misses + 1)); fi
        ((misses >= 3)) && return 0
        sleep 0.1
    done
    return 1
}

# Gives window $1 the keyboard focus, waits until the server has it there, then presses the
# keys that follow ("F2", "alt+s"); fails when the window is gone or the focus never comes.
press() {
    local target=$1
    shift
    xdotool windowfocus --sync "$target" key "$@" 2>/dev/null
}
