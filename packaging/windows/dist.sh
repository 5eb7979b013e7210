#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What a Windows player downloads, made from a built tree into one folder: the installer and the zip
# (CPack), the program itself, and SHA256SUMS for the three.
#   dist.sh BUILD_DIR DIST_DIR
# SOURCE_DATE_EPOCH gives the packages' file times (build.sh sets the last commit's time), so that
# the same sources give the same bytes.
set -euo pipefail
: "${SOURCE_DATE_EPOCH:?must be set: the time the packages give their files, in seconds since 1970}"
export SOURCE_DATE_EPOCH
build=$(cd "$1" && pwd)
rm -rf "$2"
mkdir -p "$2"
dist=$(cd "$2" && pwd)
(cd "$build" && cpack -B "$dist" >/dev/null)
rm -rf "$dist/_CPack_Packages"
cp "$build/quivara.exe" "$dist/"
cd "$dist"
sha256sum quivara.exe quivara-*.exe quivara-*.zip >SHA256SUMS
