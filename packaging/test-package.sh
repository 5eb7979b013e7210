#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the .deb, checks it with lintian, installs it with apt-get, has an ordinary user
# start the installed game on a virtual screen, save and reload the two names, then removes
# the package.
#   test-package.sh CPACK CPACK_CONFIG APP_ID     (exit 77: skipped)
set -euo pipefail
cpack=$1 config=$2 app_id=$3
here=$(cd "$(dirname "$0")" && pwd)

if [[ $(id -u) -ne 0 ]]; then
    echo "SKIP: installing a package needs root"
    exit 77
fi
if ! command -v apt-get >/dev/null || ! command -v dpkg-query >/dev/null; then
    echo "SKIP: apt is not available"
    exit 77
fi

work=$(mktemp -d)
installed() { dpkg-query -W -f='${Status}' quivara 2>/dev/null | grep -q 'install ok installed'; }
ours=
cleanup() {
    # Only a package this test installed is removed: another test's may be on the machine.
    if [[ -n $ours ]] && installed; then
        DEBIAN_FRONTEND=noninteractive apt-get remove -y -q --purge -o DPkg::Lock::Timeout=300 quivara >/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

"$cpack" --config "$config" -G DEB -B "$work" >"$work/cpack.log" || { cat "$work/cpack.log"; exit 1; }
debs=("$work"/quivara_*.deb)
[[ -f ${debs[0]} ]] || { echo "FAIL: cpack made no quivara_*.deb"; cat "$work/cpack.log"; exit 1; }
echo "built ${debs[0]##*/}"

# Debian's checks of a package: no error and no warning.
command -v lintian >/dev/null || { echo "FAIL: lintian is not installed (./build.sh test installs it)"; exit 1; }
if ! lintian --fail-on error,warning "${debs[0]}" >"$work/lintian.log" 2>&1; then
    grep -v '^running with root privileges' "$work/lintian.log"
    echo "FAIL: lintian found errors or warnings"
    exit 1
fi
echo "lintian passed"

# One package test at a time on this machine: the package is installed for the whole system,
# so a test running beside this one (from another checkout) would replace or remove it.
exec {lock}>/run/lock/quivara-package-test.lock
flock -w 300 "$lock" || { echo "FAIL: another package test kept the machine for 300 s"; exit 1; }
ours=1

DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends -o DPkg::Lock::Timeout=300 \
    "${debs[0]}" >"$work/apt.log" || { cat "$work/apt.log"; exit 1; }
installed || { echo "FAIL: quivara is not installed after apt-get install"; exit 1; }

depends=$(dpkg-query -W -f='${Depends}' quivara)
echo "Depends: $depends"
for dep in libqt6widgets6 libc6 fonts-liberation; do
    [[ $depends == *"$dep"* ]] || { echo "FAIL: Depends lacks $dep"; exit 1; }
done
for file in /usr/games/quivara /usr/share/doc/quivara/{copyright,changelog.gz} \
            /usr/share/man/{,es/}man6/quivara.6.gz /usr/share/applications/$app_id.desktop /usr/share/metainfo/$app_id.metainfo.xml \
            /usr/share/icons/hicolor/{16x16,32x32,48x48,256x256}/apps/$app_id.png; do
    [[ -f $file ]] || { echo "FAIL: $file not installed"; exit 1; }
done

# The installed program, started from elsewhere, reaches its one-player window; an ordinary user,
# who cannot write /usr/games, keeps the two names in their data directory.
cd "$work"
"$here/test-names-as-user.sh" /usr/games/quivara nobody || { echo "FAIL: names of an ordinary user"; exit 1; }
