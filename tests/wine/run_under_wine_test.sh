#!/usr/bin/env bash
# run_under_wine.sh against stand-ins for Wine: a start that printed nothing and failed is tried again,
# a run that printed anything keeps its result and is run once.
#
#   run_under_wine_test.sh RUN_UNDER_WINE
set -euo pipefail
runner=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# A stand-in Wine that fails silently on its first FAILS starts, then prints its arguments and exits
# with EXIT; it counts its starts in $work/starts.
cat > "$work/wine" <<'STANDIN'
#!/usr/bin/env bash
starts=$(( $(cat "$WORK/starts" 2>/dev/null || echo 0) + 1 ))
echo "$starts" > "$WORK/starts"
[ "$starts" -le "$FAILS" ] && exit 3
echo "ran: $*"
exit "$EXIT"
STANDIN
chmod +x "$work/wine"

# check FAILS EXIT EXPECTED_RC EXPECTED_STARTS
check() {
  rm -f "$work/starts"
  set +e
  out=$(WORK=$work FAILS=$1 EXIT=$2 "$runner" "$work/wine" prog.exe --flag 2> "$work/err")
  rc=$?
  set -e
  [ "$rc" = "$3" ] || fail "fails $1 exit $2: exit status $rc, expected $3"
  [ "$(cat "$work/starts")" = "$4" ] || fail "fails $1 exit $2: $(cat "$work/starts") starts, expected $4"
  if [ "$1" -lt 3 ]; then
    [ "$out" = "ran: prog.exe --flag" ] || fail "fails $1 exit $2: output '$out'"
  fi
  [ "$(grep -c 'Wine started nothing' "$work/err" || true)" = "$(($1 < 3 ? $1 : 3))" ] ||
    fail "fails $1 exit $2: retries not said on standard error"
}

check 0 0 0 1   # a passing run, once
check 0 1 1 1   # a failing run that printed: its own result, not retried
check 1 0 0 2   # Wine failed to start it once: started again
check 2 1 1 3   # twice, then the run's own failure
check 3 0 3 3   # never started: Wine's exit status after three starts
echo "run_under_wine.sh: ok"
