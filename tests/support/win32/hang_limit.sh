#!/usr/bin/env bash
# A hung Wine test ends at its time limit, with every process of its prefix:
# runs the test that hangs on purpose (WineRunLimit in
# tests/app/win32/keyboard_wine_test.cpp, holding a running orvenda.exe)
# through script/wine-run with a limit of 10 s, then checks that the run
# ended within a few seconds of the limit and that no Wine process of
# the prefix is left, zombies aside. Ends the prefix's server, which the next
# Wine program starts again.
#
# Usage: hang_limit.sh TESTS_EXE   (WINEPREFIX set, as script/lib.sh's start_wine does)
set -u
ROOT="$(cd "$(dirname "$0")/../../.." && pwd)"
LIMIT=10
: "${WINEPREFIX:?needs the Wine prefix of this run}"

# Wine processes (loader, preloader, server) started for this prefix, not
# zombies: pid and command line.
prefix_processes() {
  local e p exe state
  for e in /proc/[0-9]*/environ; do
    p="${e#/proc/}"; p="${p%/environ}"
    exe="$(readlink "/proc/$p/exe" 2>/dev/null)" || continue
    case "$exe" in *wine*) ;; *) continue ;; esac
    tr '\0' '\n' <"$e" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    state="$(sed 's/.*) //' "/proc/$p/stat" 2>/dev/null | cut -d' ' -f1)"
    [ -n "$state" ] && [ "$state" != Z ] && echo "$p $(tr '\0' ' ' <"/proc/$p/cmdline")"
  done
}

start=$(date +%s%N)
"$ROOT/script/wine-run" --timeout "$LIMIT" "$1" --gtest_also_run_disabled_tests \
  --gtest_filter='WineRunLimit.*' >/tmp/orvenda-hang-$$.log 2>&1
rc=$?
ended=$(( ($(date +%s%N) - start) / 1000000 ))
grep -a -E 'RUN|FAILED|Failure|wine-run' /tmp/orvenda-hang-$$.log
rm -f /tmp/orvenda-hang-$$.log
left=""
for _ in $(seq 50); do
  left="$(prefix_processes)"
  [ -z "$left" ] && break
  sleep 0.2
done
echo "hung test with a limit of $LIMIT s: wine-run exited $rc after $ended ms; prefix processes left: ${left:-none}"
[ "$rc" -eq 124 ] && [ "$ended" -lt $(( (LIMIT + 5) * 1000 )) ] && [ -z "$left" ]
