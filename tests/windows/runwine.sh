#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command (a Windows program under Wine) with its output going to a file, then shows that output:
# Wine's background processes inherit the command's output and would hold a test's pipe open for seconds.
out=$(mktemp) || exit 1
"$@" >"$out" 2>&1 </dev/null
status=$?
cat "$out"
rm -f "$out"
exit $status
