#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer under Wine, used by an ordinary user on a virtual screen, in both its modes.
# Every Wine user is an administrator, so each install names its mode, on the command line or the
# mode page.
#   CurrentUser: chosen on the installer's mode page, an install into the user's own
#     AppData\Local\Programs, Start menu and HKCU; a typed name kept beside the program across two
#     starts; a silent uninstall leaving nothing.
#   AllUsers: a silent install into Program Files, every user's Start menu and HKLM, and the same
#     play; then the folder made unwritable, as Program Files is for a standard user, and the name
#     kept in AppData\Roaming.
#   An install over an install, in each mode: the second goes into the first one's folder, keeps
#     the names and leaves one install, which one uninstall removes.
# It also prints the execution level the installer's manifest requests.
#   test-installer.sh CPACK CPACK_CONFIG WINE WINESERVER USER   (run as root; starts its own X server)
set -uo pipefail
cpack=$1 config=$2 wine=$3 wineserver=$4 user=$5
here=$(cd "$(dirname "$0")" && pwd)
if [[ $(id -u) -ne 0 ]]; then
    echo "SKIP: playing as another user needs root"
    exit 77
fi
if [[ -z "${QUIVARA_IN_XVFB:-}" ]]; then
    # -ac: the user's programs may connect without root's X authority file.
    QUIVARA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -ac" "$0" "$@"
fi
source "$here/../../tools/xwindows.sh"
source "$here/../names-play.sh"
work=$(mktemp -d) && chmod 755 "$work"
game= setup= keeper=
# Whether the process $2 ($1 names it) still runs, or with which status it ended.
tell_process() {
    [[ -n $2 ]] || return 0
    if running "$2"; then
        echo "  $1 is still running"
    else
        wait "$2"
        echo "  $1 has ended with status $?"
    fi
}
# Ends the test with its reason, the state of the installer and the game, what is on the screen,
# the user's Wine processes, and what Wine said.
fail() {
    local id
    echo "FAIL: $* (after $SECONDS s)"
    tell_process "the installer" "$setup"
    tell_process "the game" "$game"
    for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        echo "  window on screen: $(xdotool getwindowname "$id" 2>/dev/null)"
    done
    ps -u "$user" -o pid=,etime=,args= 2>/dev/null | sed "s/^/  process of $user: /"
    [[ -s $work/stderr ]] && sed "s/^/  wine: /" "$work/stderr"
    exit 1
}
# As the user, in a Wine prefix of their own (Wine runs only in a prefix its user owns).
as_user() {
    runuser -u "$user" -- env -i HOME="$work/home" WINEPREFIX="$work/prefix" WINEDEBUG=-all \
        WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin "$@"
}
cleanup() {
    [[ -n $game ]] && kill "$game" 2>/dev/null
    [[ -n $setup ]] && kill "$setup" 2>/dev/null
    as_user "$wineserver" -k 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
install -d -m 755 -o "$user" "$work/home" "$work/prefix"
# The user's prefix is made before any program is started in it: the first start in an empty
# prefix also writes Wine's 700 MB of system files, which takes tens of seconds on a busy machine,
# and no wait below on a window is to carry that.
as_user timeout 300 "$wine" wineboot --init 2>>"$work/stderr" || fail "Wine could not make the user's prefix (status $?)"
as_user "$wineserver" -w
echo "the user's Wine prefix was made in $SECONDS s"
# Wine starts its own services with the first program of a session and ends them with the last;
# that start costs 3 s on an idle machine and over 10 s on a busy one, and the test starts some thirty
# programs. A shell waiting on input that never comes keeps the session open until the test ends.
mkfifo -m 644 "$work/hold"
as_user "$wine" cmd.exe <"$work/hold" >/dev/null 2>>"$work/stderr" &
keeper=$!
exec 3>"$work/hold"
"$cpack" --config "$config" -G NSIS -B "$work/cpack" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
installers=("$work"/cpack/quivara-*.exe)
[[ -f ${installers[0]} ]] || fail "cpack made no installer"
cp "${installers[0]}" "$work/setup.exe" && chmod a+r "$work/setup.exe"
setting() { sed -n "s/^set($1 \"\\(.*\\)\")\$/\\1/p" "$config"; }
version=$(setting CPACK_PACKAGE_VERSION) vendor=$(setting CPACK_PACKAGE_VENDOR)

# What the installer asks Windows for before it starts: no elevation.
manifest_level() { grep -a -o '<requestedExecutionLevel [^>]*>' "$1"; }
level=$(manifest_level "$work/setup.exe")
[[ $level == *'level="asInvoker"'* ]] || fail "the installer's manifest requests ${level:-nothing}"
echo "the installer's manifest requests: $level"

c=$work/prefix/drive_c
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Quivara'
programs="Microsoft/Windows/Start Menu/Programs"
declare -A default_folder=([CurrentUser]="C:\\users\\$user\\AppData\\Local\\Programs\\Quivara"
                           [AllUsers]='C:\Program Files\Quivara')
declare -A start_entry=([CurrentUser]="$c/users/$user/AppData/Roaming/$programs/Quivara.lnk"
                        [AllUsers]="$c/ProgramData/$programs/Quivara.lnk")
declare -A hive=([CurrentUser]=HKCU [AllUsers]=HKLM)

# The prefix's file for a Windows path on drive C.
unix_path() { local path=${1#C:\\}; echo "$c/${path//\\//}"; }
# Process $1's descendants, one a line.
descendants() {
    local child
    for child in $(ps -o pid= --ppid "$1"); do
        echo "$child"
        descendants "$child"
    done
}
# The user's programs that are still running, but for Wine's own (its server, what runs from
# C:\windows) and the program that keeps the session open.
running_programs() {
    ps -u "$user" -o pid=,stat=,args= | awk -v keep=" $(descendants "$keeper" | tr '\n' ' ') " \
        'index(keep, " " $1 " ") == 0 && $2 !~ /^Z/ && !/wineserver/ && !/ C:\\windows\\/'
}
# Waits until every program the test started has ended: an uninstaller goes on in a copy of itself
# once its first process has ended.
settle() {
    local deadline=$((SECONDS + xwindows_deadline))
    while [[ -n $(running_programs) ]]; do
        ((SECONDS < deadline)) || fail "programs are still running: $(running_programs)"
        sleep 0.1
    done
}
# Runs a Windows program as the user and waits for everything it started to end.
run() {
    as_user "$wine" "$@" 2>>"$work/stderr"
    local status=$?
    settle
    return $status
}
install_quivara() { run "$work/setup.exe" /S "$@" || fail "the installer ($*) ended with status $?"; }
# Without a mode: the uninstaller knows its own.
uninstall_quivara() { run "$1\\Uninstall.exe" /S || fail "the uninstaller in $1 ended with status $?"; }
registration() { as_user "$wine" reg query "${hive[$1]}\\$uninstall_key" 2>>"$work/stderr" | tr -d '\r'; }

# Mode $1 installed in the Windows folder $2: the files, the mode's Start-menu entry, and the
# uninstaller registered in the mode's hive with every value Apps & features reads.
check_installed() {
    local mode=$1 folder=$2 file registered value
    for file in quivara.exe Uninstall.exe LICENSE.txt copyright.txt; do
        [[ -f $(unix_path "$folder")/$file ]] || fail "$mode: $folder\\$file not installed"
    done
    [[ $(manifest_level "$(unix_path "$folder")/Uninstall.exe") == *'level="asInvoker"'* ]] ||
        fail "$mode: the uninstaller asks for elevation up front"
    [[ -f ${start_entry[$mode]} ]] || fail "$mode: no Start-menu entry ${start_entry[$mode]}"
    registered=$(registration "$mode")
    while IFS= read -r value; do
        grep -qxF "    $value" <<<"$registered" || fail "$mode: the uninstall key lacks '$value': $registered"
    done <<EOF
DisplayName    REG_SZ    Quivara
DisplayVersion    REG_SZ    $version
Publisher    REG_SZ    $vendor
DisplayIcon    REG_SZ    $folder\\quivara.exe
InstallLocation    REG_SZ    $folder
UninstallString    REG_SZ    "$folder\\Uninstall.exe"
QuietUninstallString    REG_SZ    "$folder\\Uninstall.exe" /S
NoModify    REG_DWORD    0x1
NoRepair    REG_DWORD    0x1
EOF
}
# Nothing of mode $1 in the Windows folder $2: no folder, no Start-menu entry, no registration.
check_gone() {
    local mode=$1 dir
    dir=$(unix_path "$2")
    [[ ! -e $dir ]] || fail "$mode: left behind: $(find "$dir")"
    [[ ! -e ${start_entry[$mode]} ]] || fail "$mode: the Start-menu entry stayed"
    registration "$mode" >/dev/null && fail "$mode: the uninstall key is there: $(registration "$mode")"
}

start_game() {
    as_user "$wine" "$game_folder\\quivara.exe" 2>>"$work/stderr" &
    game=$!
}
# The game in the Windows folder $1; $2 the name file it should write, $3 the name typed.
type_in() {
    game_folder=$1
    typed_name=$3 play type_name
    holds "$2" "$3"
}
# The next start of the game in $1 shows the name in $2 ($3): leaving the window saves it again.
kept_at_next_start() {
    game_folder=$1
    touch -d @946684800 "$2"
    play no_edit
    [[ $(stat -c %Y "$2") -gt 946684800 ]] || fail "the start after did not save the names to $2"
    holds "$2" "$3"
}

# The installer's own pages: "Solo para mí" (Alt+M) on the mode page, "Siguiente" and "Instalar"
# (Return, Return); Return once more closes it when the install is done, and does nothing before.
install_on_pages() {
    local window deadline start=$SECONDS
    as_user "$wine" "$work/setup.exe" 2>>"$work/stderr" &
    setup=$!
    window=$(window '^Instalaci.n de Quivara' "$setup") || fail "the installer showed no window"
    echo "the installer's window showed $((SECONDS - start)) s after its start"
    press "$window" alt+m Return Return || fail "could not choose on the installer's pages"
    deadline=$((SECONDS + xwindows_deadline))
    while running "$setup"; do
        ((SECONDS < deadline)) || fail "the installer's last page did not close"
        press "$window" Return
        sleep 0.2
    done
    wait "$setup" || fail "the installer ended with status $?"
    setup=
    settle
}

# Mode $1 installed by the command from $4 on ($3 says how), and its name files beside the
# program; nothing of the other mode $2.
install_and_play() {
    local mode=$1 other=$2 how=$3 folder=${default_folder[$1]} beside
    beside=$(unix_path "$folder")/player1.txt
    shift 3
    "$@"
    check_installed "$mode" "$folder"
    check_gone "$other" "${default_folder[$other]}"
    echo "$mode: installed $how into $folder, with that mode's Start menu and ${hive[$mode]}"
    type_in "$folder" "$beside" 'Ana Bel'
    kept_at_next_start "$folder" "$beside" 'Ana Bel'
    echo "$mode: the name was kept beside the program across two starts"
}

install_and_play CurrentUser AllUsers "on the pages (Solo para mí)" install_on_pages
uninstall_quivara "${default_folder[CurrentUser]}"
check_gone CurrentUser "${default_folder[CurrentUser]}"
echo "CurrentUser: uninstalled silently, nothing of the program left"

install_and_play AllUsers CurrentUser "silently (/S /AllUsers)" install_quivara /AllUsers
# Program Files as a standard user meets it: the names go to the application-data folder.
folder=${default_folder[AllUsers]}
chmod a-w "$(unix_path "$folder")"
data="$c/users/$user/AppData/Roaming/Quivara"
type_in "$folder" "$data/player1.txt" Eva
holds "$(unix_path "$folder")/player1.txt" 'Ana Bel'
kept_at_next_start "$folder" "$data/player1.txt" Eva
echo "AllUsers: with the folder unwritable, the name was kept in AppData\\Roaming\\Quivara"
chmod u+w "$(unix_path "$folder")"
uninstall_quivara "$folder"
check_gone AllUsers "$folder"
echo "AllUsers: uninstalled silently, nothing of the program left"

# A second install of mode $1 goes where the first one is, the folder $2 (not the default), the
# names saved beside the program stay, and one uninstall removes all of it.
install_over_install() {
    local mode=$1 folder=$2 names
    names=$(unix_path "$folder")/player1.txt
    install_quivara "/$mode" "/D=$folder"
    type_in "$folder" "$names" Luz
    install_quivara "/$mode"
    check_installed "$mode" "$folder"
    [[ ! -e $(unix_path "${default_folder[$mode]}") ]] || fail "$mode: the second install went to ${default_folder[$mode]}"
    kept_at_next_start "$folder" "$names" Luz
    uninstall_quivara "$folder"
    check_gone "$mode" "$folder"
    echo "$mode: an install over the one in $folder went there and kept the names; one uninstall removed it"
}
install_over_install CurrentUser "C:\\users\\$user\\Juegos\\Quivara"
install_over_install AllUsers 'C:\Juegos\Quivara'
