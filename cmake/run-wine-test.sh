#!/usr/bin/env bash
# Runs one test program under wine. Wine starts helper processes (services,
# the desktop window's explorer) that outlive the test and would keep ctest's
# output pipe open; they get a file instead, which is printed afterwards.
set -u
prog="$1"; shift
out=$(mktemp)
wine "$prog" "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
