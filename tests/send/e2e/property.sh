#!/usr/bin/env bash
# The full command-line property run under Wine: random field texts through
# SEND and the real cmd.exe into a recording sender (see
# tests/send/win32/command_line_property_wine_test.cpp). script/test runs the
# same test with its default of 400 cases (and the same lines through
# "cmd /v:on", which must not all hold); this runs 10,000 or the count
# given, in a Wine prefix of its own (script/lib.sh).
#
# Usage: tests/send/e2e/property.sh [CASES] [SEED]
# Prints "N passed, N failed" (tests, not cases) last; the case counts are
# on the line before.
set -u
HERE="$(cd "$(dirname "$0")" && pwd)"
ROOT="$(cd "$HERE/../../.." && pwd)"
TESTS="${BUILD:-$ROOT/build/windows}/tests/orvenda_wine_tests.exe"
[ -f "$TESTS" ] || { echo "missing $TESTS: build with cmake --build --preset windows"; echo "0 passed, 1 failed"; exit 1; }

source "$ROOT/script/lib.sh"
LOG="$(mktemp /tmp/orvenda-property-XXXXXX.log)"
trap 'stop_wine; rm -f "$LOG"' EXIT
start_wine

ORVENDA_PROPERTY_CASES="${1:-10000}" ORVENDA_PROPERTY_SEED="${2:-$RANDOM}" \
  wine "$TESTS" --gtest_filter='CommandLinePropertyWine*' </dev/null >"$LOG" 2>&1
rc=$?
grep -a -E -A1 'Failure|^line|^output|^records|^expected' "$LOG" | head -60
grep -a 'command-line property' "$LOG"
if [ "$rc" -eq 0 ] && grep -aq '^\[  PASSED  \] 1 test' "$LOG"; then
  echo "1 passed, 0 failed"
else
  echo "0 passed, 1 failed"
  exit 1
fi
