#!/usr/bin/env bash
# Measures under Wine how long wumpex.exe takes from process start until its message loop
# first waits for input, with three settings files: 2 Be Quiet patterns; a forged pattern
# count of 2147483647 with the same 2 pattern keys; and 10,000 real patterns. The starts
# alternate between the files, so that a drift of the machine's speed touches all three alike.
# Prints the median and range for each.
# Usage: scripts/bench-start.sh [starts of each]
set -euo pipefail
cd "$(dirname "$0")/.."
starts=${1:-5}
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target wumpex probe >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEPREFIX="$PWD/build/win64/bench-prefix"
exe="$PWD/build/win64/app/wumpex.exe"
probe="$PWD/build/win64/platform/win32/bench/probe.exe"

settings() {  # count, then the number of pattern keys
  printf '[WumpexSettings]\r\nWAVPath=C:\\windows\r\nRandomTime=10\r\nRandomTimeType=0\r\n'
  printf 'VariableTime=5\r\nVariableTimeType=0\r\nNumBeQuietItems=%s\r\n' "$1"
  for ((i = 0; i < $2; i++)); do printf 'BeQuietItem%d=pattern %d\r\n' "$i" "$i"; done
}
settings 2 2 >"$work/two.ini"
settings 2147483647 2 >"$work/forged.ini"
settings 10000 10000 >"$work/many.ini"

cat >"$work/run.sh" <<INNER
set -euo pipefail
scripts/wine-run.sh "$probe" start "$exe" 0 "$work/two.ini" >/dev/null  # the prefix's first start
for i in \$(seq $starts); do
  for kind in two forged many; do
    scripts/wine-run.sh "$probe" start "$exe" 0 "$work/\$kind.ini" | awk '/idle_ms/ {print \$2}' \
      >>"$work/\$kind.ms"
  done
done
INNER
scripts/desktop.sh bash "$work/run.sh"

for kind in two forged many; do
  case $kind in
    two) what="2 patterns" ;;
    forged) what="count 2147483647, 2 pattern keys" ;;
    many) what="10,000 patterns" ;;
  esac
  sort -n "$work/$kind.ms" | awk -v what="$what" '{a[NR]=$1} END {
    printf "%s: start to idle message loop median %.1f ms (min %.1f, max %.1f, %d starts)\n",
      what, a[int((NR+1)/2)], a[1], a[NR], NR}'
done
