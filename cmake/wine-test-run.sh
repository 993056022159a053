#!/bin/sh
# CTest runs every Windows test program through this script: `wine PROGRAM ARGS...`, with the
# program's output going through a file that is streamed to CTest as it grows.
#
# A Wine process inherits the Unix standard output and error of the process that starts it,
# and Wine's own service processes (services.exe, rpcss.exe, plugplay.exe, winedevice.exe, ...)
# are started on demand by whichever program needs them first, and stay. Given CTest's pipe,
# such a service keeps the pipe open after the test has ended, and CTest then waits for it until
# the test's time limit and reports a passed test as timed out. Given a file, it holds the file.
out=$(mktemp "${TMPDIR:-/tmp}/wine-test.XXXXXX") || exit 1
wine "$@" >"$out" 2>&1 </dev/null &
program=$!
# tail reads the file once more after the program has ended, so nothing written is lost.
tail -n +1 -s 0.05 -f --pid="$program" "$out"
wait "$program"
status=$?
rm -f "$out"
exit "$status"
