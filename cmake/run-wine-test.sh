#!/usr/bin/env bash
# Runs one test program under wine. Wine starts helper processes (services,
# the desktop window's explorer) that outlive the test and would keep ctest's
# output pipe open; they get a file instead, which is printed afterwards.
# WINE_TEST_SECONDS (set by add_wine_test a little below ctest's own limit): a
# program still running then is stopped here, so that what it printed is shown.
set -u
prog="$1"; shift
out=$(mktemp)
limit=()
if [ -n "${WINE_TEST_SECONDS:-}" ]; then limit=(timeout -k 5 "$WINE_TEST_SECONDS"); fi
"${limit[@]}" wine "$prog" "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
[ "$rc" = 124 ] && echo "run-wine-test: still running after ${WINE_TEST_SECONDS} s; stopped"
rm -f "$out"
exit $rc
