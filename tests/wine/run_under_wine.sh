#!/usr/bin/env bash
# Runs a Windows program of the cross build under Wine, for ctest and the test listings.
#
#   run_under_wine.sh WINE PROGRAM ARGS...
#
# When hundreds of programs start one after another, Wine now and then fails to start one: it exits
# non-zero before the program printed a byte. Every program run here prints something once it has
# started (a test program its first line at once), so a run that printed nothing and failed is Wine's
# and is started again, at most twice, saying so on standard error. A run that printed anything keeps
# its own result and output.
set -uo pipefail
wine=$1
shift
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for attempt in 1 2 3; do
  "$wine" "$@" > "$out" 2>&1
  rc=$?
  if [ "$rc" -eq 0 ] || [ -s "$out" ]; then
    cat "$out"
    exit "$rc"
  fi
  echo "run_under_wine: Wine started nothing (exit $rc, no output) on attempt $attempt: $*" >&2
done
exit "$rc"
