#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer under Wine, used by an ordinary user on a virtual screen: a silent install
# into Program Files, the installed game started, a typed name kept beside the program across two
# starts; then the program's folder made unwritable, as Program Files is for a standard user, and
# the name kept in the user's application-data folder instead; last a silent uninstall that leaves
# nothing of the program behind.
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
work=$(mktemp -d) && chmod 755 "$work"
game=
fail() { echo "FAIL: $*"; [[ -s $work/stderr ]] && sed "s/^/  wine: /" "$work/stderr"; exit 1; }
# As the user, in a Wine prefix of their own (Wine runs only in a prefix its user owns).
as_user() {
    runuser -u "$user" -- env -i HOME="$work/home" WINEPREFIX="$work/prefix" WINEDEBUG=-all \
        WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin "$@"
}
cleanup() {
    [[ -n $game ]] && kill "$game" 2>/dev/null
    as_user "$wineserver" -k 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
install -d -m 755 -o "$user" "$work/home" "$work/prefix"
"$cpack" --config "$config" -G NSIS -B "$work/cpack" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
installers=("$work"/cpack/quivara-*.exe)
[[ -f ${installers[0]} ]] || fail "cpack made no installer"
cp "${installers[0]}" "$work/setup.exe" && chmod a+r "$work/setup.exe"

# The silent install, and what it leaves: the program, the Start-menu entry, the uninstaller
# registered in Apps & features.
as_user "$wine" "$work/setup.exe" /S 2>>"$work/stderr" || fail "the installer ended with status $?"
as_user "$wineserver" -w
c=$work/prefix/drive_c
folder="$c/Program Files/Quivara"
for file in "$folder/quivara.exe" "$folder/Uninstall.exe" "$folder/LICENSE.txt" "$folder/copyright.txt" \
            "$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quivara.lnk"; do
    [[ -f $file ]] || fail "$file not installed"
done
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quivara'
registered=$(as_user "$wine" reg query "$uninstall_key" 2>>"$work/stderr" | tr -d '\r')
for value in 'DisplayName    REG_SZ    Quivara' 'QuietUninstallString    REG_SZ    "C:\Program Files\Quivara\Uninstall.exe" /S'; do
    grep -qF "$value" <<<"$registered" || fail "the uninstall key lacks $value: $registered"
done
echo "installed silently into C:\\Program Files\\Quivara"

source "$here/../../tools/xwindows.sh"
source "$here/../names-play.sh"
start_game() {
    as_user "$wine" 'C:\Program Files\Quivara\quivara.exe' 2>>"$work/stderr" &
    game=$!
}
# A folder the user may write: the names stay beside the program, and the next start shows them.
play type_name
holds "$folder/player1.txt" 'Ana Bel'
touch -d @946684800 "$folder/player1.txt"
play no_edit
[[ $(stat -c %Y "$folder/player1.txt") -gt 946684800 ]] || fail "the second start did not save the names"
holds "$folder/player1.txt" 'Ana Bel'
echo "the name was kept beside the program across two starts"

# Program Files as a standard user meets it: the names go to the application-data folder.
chmod a-w "$folder"
data="$c/users/$user/AppData/Roaming/Quivara"
typed_name=Eva play type_name
holds "$data/player1.txt" 'Eva'
holds "$folder/player1.txt" 'Ana Bel'
touch -d @946684800 "$data/player1.txt"
play no_edit
[[ $(stat -c %Y "$data/player1.txt") -gt 946684800 ]] || fail "the start after did not save the names"
holds "$data/player1.txt" 'Eva'
echo "with the folder unwritable, the name was kept in AppData\\Roaming\\Quivara"
chmod u+w "$folder"

# The silent uninstall: no folder, no Start-menu entry, no registration.
as_user "$wine" 'C:\Program Files\Quivara\Uninstall.exe' /S 2>>"$work/stderr" || fail "the uninstaller ended with status $?"
as_user "$wineserver" -w
[[ ! -e $folder ]] || fail "left behind: $(find "$folder")"
[[ ! -e "$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quivara.lnk" ]] || fail "the Start-menu entry stayed"
! as_user "$wine" reg query "$uninstall_key" >/dev/null 2>&1 || fail "the uninstall key stayed"
echo "uninstalled silently, nothing of the program left"
