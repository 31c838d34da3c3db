#!/usr/bin/env bash
# End-to-end send under Wine, with Debian's sendemail (1.56) as the sender.
#
# Starts an SMTP server on 127.0.0.1 (smtp_sink.py, python3-aiosmtpd), puts a
# SendEmail.exe script into a fresh install folder that hands its arguments to
# /usr/bin/sendemail with drive paths turned into host paths (winepath -u),
# and runs the SendEndToEndWine tests of the Windows test executable, which
# drive a copy of the real orvenda.exe in a folder that, like the folder it
# is started in, holds a planted cmd.exe and notepad.exe: scripts that
# record in planted.txt that they ran. Everything runs in a Wine prefix and a virtual
# display of its own, and the server, that prefix's processes and the display
# are ended at the close.
#
# Usage: tests/send/e2e/run.sh   (after the Windows build: cmake --build --preset windows)
# Prints "N passed, N failed" last and exits non-zero on any failure.
set -u
HERE="$(cd "$(dirname "$0")" && pwd)"
ROOT="$(cd "$HERE/../../.." && pwd)"
BUILD="${BUILD:-$ROOT/build/windows}"
TESTS="$BUILD/tests/orvenda_wine_tests.exe"
if [ ! -f "$TESTS" ]; then
  echo "missing $TESTS: build with cmake --preset windows && cmake --build --preset windows"
  echo "0 passed, 1 failed"
  exit 1
fi

WORK="$(mktemp -d /tmp/orvenda-e2e-XXXXXX)"
INSTALL="$WORK/Send Mail"
MAILBOX="$WORK/mailbox.txt"
mkdir -p "$INSTALL"

cat >"$INSTALL/SendEmail.exe" <<'SCRIPT'
#!/bin/sh
# Stands in for SendEmail.exe: hands the arguments to Debian's sendemail with
# drive paths turned into host paths, and keeps a copy of what it was given.
here="$(dirname "$0")"
printf '%s\n' "$@" >"$here/arguments.txt"
count=$#
for arg in "$@"; do
  case "$arg" in
    [A-Za-z]:\\*) arg="$(winepath -u "$arg" 2>/dev/null)" ;;
    message-file=[A-Za-z]:\\*) arg="message-file=$(winepath -u "${arg#message-file=}" 2>/dev/null)" ;;
  esac
  set -- "$@" "$arg"
done
shift "$count"
exec /usr/bin/sendemail "$@"
SCRIPT
chmod +x "$INSTALL/SendEmail.exe"

mkdir -p "$WORK/Downloads" "$WORK/Current"
cp "$BUILD/orvenda.exe" "$WORK/Downloads/"
for dir in "$WORK/Downloads" "$WORK/Current"; do
  for name in cmd.exe notepad.exe; do
    printf '#!/bin/sh\necho "%s $*" >>"%s"\n' "$dir/$name" "$WORK/planted.txt" >"$dir/$name"
    chmod +x "$dir/$name"
  done
done

PORT="$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')"
/usr/bin/python3 "$HERE/smtp_sink.py" "$PORT" "$MAILBOX" >"$WORK/sink.log" 2>&1 &
SINK=$!

# A display and a Wine prefix of this run's own (script/lib.sh).
source "$ROOT/script/lib.sh"
finish() {
  kill "$SINK" 2>/dev/null
  wait "$SINK" 2>/dev/null
  stop_wine
  [ -n "${KEEP:-}" ] || rm -rf "$WORK"
}
trap finish EXIT
start_wine

for _ in $(seq 50); do grep -q listening "$WORK/sink.log" && break; sleep 0.1; done
export ORVENDA_E2E_SMTP="127.0.0.1:$PORT"
export ORVENDA_E2E_INSTALL="$(winepath -w "$INSTALL" 2>/dev/null </dev/null)"
export ORVENDA_E2E_MAILBOX="$(winepath -w "$MAILBOX" 2>/dev/null </dev/null)"
export ORVENDA_E2E_PROGRAM="$(winepath -w "$WORK/Downloads/orvenda.exe" 2>/dev/null </dev/null)"
export ORVENDA_E2E_CURRENT="$(winepath -w "$WORK/Current" 2>/dev/null </dev/null)"
export ORVENDA_E2E_PLANTED="$(winepath -w "$WORK/planted.txt" 2>/dev/null </dev/null)"
# With a time limit of its own: a send that hangs ends with this prefix's processes.
"$ROOT/script/wine-run" --timeout 240 "$TESTS" --gtest_filter='SendEndToEndWine*' >"$WORK/run.log" 2>&1
rc=$?

grep -a -E '^\[ *(OK|FAILED|SKIPPED) *\]|Failure|Expected|Which is|Value of|^  |received' "$WORK/run.log" | grep -a -v '^\[  FAILED  \] [0-9]* test' | head -80
passed=$(grep -a -c '^\[       OK \]' "$WORK/run.log")
failed=$(grep -a -c '^\[  FAILED  \] .*(' "$WORK/run.log")
skipped=$(grep -a -c '^\[  SKIPPED \] .*(' "$WORK/run.log")
failed=$((failed + skipped))
if [ "$rc" -ne 0 ] && [ "$failed" -eq 0 ]; then failed=1; fi
if [ $((passed + failed)) -eq 0 ]; then failed=1; fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
