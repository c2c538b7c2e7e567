#!/usr/bin/env bash
# transact_bench.exe under Wine against the Linux simulator: one simulator per speed, on COM8 (115200
# bit/s) and COM9 (1200 bit/s) of the Wine prefix.
#
#   bench_through_com_port.sh FCSIM TRANSACT_BENCH_EXE EXCHANGES
set -euo pipefail
fcsim=$1
bench=$2
count=$3
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2> /dev/null && wait "$p" 2> /dev/null; done
  rm -f "$WINEPREFIX/dosdevices/com8" "$WINEPREFIX/dosdevices/com9"
  rm -rf "$work"
}
trap cleanup EXIT
wineserver -p3 > /dev/null 2>&1 || true
mkfifo "$work/commands"
for line in "com8 115200" "com9 1200"; do
  set -- $line
  "$fcsim" --link "$work/$1" --speed "$2" < "$work/commands" > "$work/$1.out" 2>&1 &
  pids+=($!)
done
exec 3> "$work/commands"
for _ in $(seq 50); do [ -e "$work/com8" ] && [ -e "$work/com9" ] && break; sleep 0.1; done
ln -sfn "$work/com8" "$WINEPREFIX/dosdevices/com8"
ln -sfn "$work/com9" "$WINEPREFIX/dosdevices/com9"
# Into a file first: Wine's driver processes would keep a pipe open as long as the Wine server lives.
for line in "115200 COM8" "1200 COM9"; do
  set -- $line
  wine "$bench" "$count" "$1" "$2" > "$work/bench.out" 2>&1 || true
  tr -d '\r' < "$work/bench.out"
done
