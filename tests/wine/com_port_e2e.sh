#!/usr/bin/env bash
# ruvenset-cli.exe under Wine against the Linux simulator through a COM port: the simulator serves a
# pseudo-terminal and the Wine prefix maps COM7 to it. Identifies the flow computer, verifies a channel
# for a few readings, reads its calibration into a file and stores a section of it back, then checks
# that Ctrl-C on a silent line ends the command's wait within 100 ms. The Windows serial port's own
# tests (link_tests.exe, Win32SerialPort.*) run here too, on COM7.
#
#   com_port_e2e.sh FCSIM BUILD_DIR
set -euo pipefail
fcsim=$1
build=$2
cli="$build/ruvenset-cli.exe"
work=$(mktemp -d)
sim_pid=
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  rm -f "$WINEPREFIX/dosdevices/com7"
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# The prefix's server (scripts/build-windows keeps one running; run alone, this starts one), with its
# output away from the test's: at its end it may list its objects on standard error.
wineserver -p3 > /dev/null 2>&1 || true

mkfifo "$work/commands"
"$fcsim" --link "$work/fc" --speed 115200 < "$work/commands" > "$work/fcsim.out" 2>&1 &
sim_pid=$!
exec 3> "$work/commands"  # keeps the simulator's standard input open
for _ in $(seq 50); do [ -e "$work/fc" ] && break; sleep 0.1; done
[ -e "$work/fc" ] || fail "the simulator did not start: $(cat "$work/fcsim.out")"
ln -sfn "$work/fc" "$WINEPREFIX/dosdevices/com7"

# Every Windows program writes into a file, never into this script's output: Wine starts its driver
# processes (the serial port's among them) from the first program that needs them, and they would keep
# that program's output open, and the test running, as long as the Wine server lives.
windows() {
  local rc=0
  wine "$@" > "$work/program.out" 2>&1 || rc=$?
  tr -d '\r' < "$work/program.out"  # its standard output is a Windows one, with CR LF line ends
  return $rc
}
cli_run() {
  windows "$cli" --config "Z:$work/ruvenset.ini" --port COM7 --set BaudRate=15 --set AOSkor=0 "$@"
}

RUVENSET_TEST_COM=COM7 windows "$build/tests/link/link_tests.exe" --gtest_filter='Win32SerialPort*' ||
  fail "the serial port's tests on COM7"

out=$(cli_run identify --password 1234) || fail "identify: $out"
grep -q '^type 16$' <<< "$out" || fail "identify printed: $out"
grep -q '^pipelines 2$' <<< "$out" || fail "identify printed: $out"
echo "identify: ok"

out=$(cli_run verify --password 1234 --channel temperature --readings 3 --ctr "Z:$work/run.ctr") ||
  fail "verify: $out"
[ "$(grep -cE '^[0-9]+ .* 20\.000$' <<< "$out")" = 3 ] || fail "verify printed: $out"
[ "$(stat -c %s "$work/run.ctr")" = $((4 + 3 * 24)) ] || fail "the data file has $(stat -c %s "$work/run.ctr") bytes"
echo "verify: ok"

out=$(cli_run save-calibration "Z:$work/fc.klb") || fail "save-calibration: $out"
[ -s "$work/fc.klb" ] || fail "save-calibration wrote no file: $out"
out=$(cli_run write-back "Z:$work/fc.klb" --section temperature --password 1234) || fail "write-back: $out"
grep -q '^stored temperature ' <<< "$out" || fail "write-back printed: $out"
echo "write-back: ok"

# A silent line: the simulator answers at 115200 bit/s only, the command asks at 57600 and would wait
# 20 s for the first byte.
wine "$cli" --config "Z:$work/ruvenset.ini" --port COM7 --set BaudRate=14 --set AOSkor=0 --set WeitTime1=20 \
  transact --command 2 > "$work/stopped.out" 2>&1 &
cli_pid=$!
sleep 2
kill -0 "$cli_pid" 2>/dev/null || fail "the command ended before Ctrl-C: $(cat "$work/stopped.out")"
start=$(date +%s%N)
kill -INT "$cli_pid"  # Wine hands SIGINT to the program's console handler as Ctrl-C
# The wait has ended when the command says it stopped (on its unbuffered standard error); Wine's own
# teardown of the process after that is no part of the wait.
ms=
while kill -0 "$cli_pid" 2>/dev/null || [ -z "$ms" ]; do
  if [ -z "$ms" ] && grep -q 'stopped' "$work/stopped.out"; then ms=$((($(date +%s%N) - start) / 1000000)); fi
  [ -z "$ms" ] && ! kill -0 "$cli_pid" 2>/dev/null && ms=$((($(date +%s%N) - start) / 1000000))
  sleep 0.002
done
rc=0
wait "$cli_pid" || rc=$?
[ "$rc" = 130 ] || fail "Ctrl-C: exit code $rc: $(cat "$work/stopped.out")"
grep -q 'stopped' "$work/stopped.out" || fail "Ctrl-C: $(cat "$work/stopped.out")"
[ "$ms" -lt 100 ] || fail "Ctrl-C ended the wait after $ms ms"
echo "Ctrl-C: ended after $ms ms, exit 130"

# A second Ctrl-C while the flow computer is in service mode: the command sends the leave request once on
# its way out and exits 130 within one answer time; the flow computer ends up out of service mode.
sim_state() {
  echo "get state 1" >&3
  sleep 0.1
  tail -n 1 "$work/fcsim.out"
}
wine "$cli" --config "Z:$work/ruvenset.ini" --port COM7 --set BaudRate=15 --set AOSkor=0 \
  verify --password 1234 --channel temperature --readings 100000 > "$work/twice.out" 2>&1 &
cli_pid=$!
for _ in $(seq 100); do [ "$(sim_state)" = "ok 3" ] && break; done
[ "$(sim_state)" = "ok 3" ] || fail "the verification did not enter service mode: $(cat "$work/twice.out")"
kill -INT "$cli_pid"
sleep 0.05
kill -INT "$cli_pid"
start=$(date +%s%N)
rc=0
wait "$cli_pid" || rc=$?
ms=$((($(date +%s%N) - start) / 1000000))
[ "$rc" = 130 ] || fail "second Ctrl-C: exit code $rc: $(cat "$work/twice.out")"
[ "$ms" -lt 2500 ] || fail "second Ctrl-C: the command ended after $ms ms"
for _ in $(seq 30); do [ "$(sim_state)" = "ok 0" ] && break; done
[ "$(sim_state)" = "ok 0" ] || fail "second Ctrl-C left the flow computer in service mode"
echo "second Ctrl-C: ended after $ms ms, exit 130, service mode left"
