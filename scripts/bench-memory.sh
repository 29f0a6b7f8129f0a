#!/usr/bin/env bash
# Weighs wumpex.exe idling after its start against the smallest hidden tray program
# (tray_baseline.exe: a hidden window and one notification icon) on the same Wine desktop: each
# is started in turn, several times, and its private and resident memory read 6 s after start.
# Prints the medians and wumpex.exe's over the baseline's.
# Usage: scripts/bench-memory.sh [starts]
set -euo pipefail
cd "$(dirname "$0")/.."
starts=${1:-5}
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target wumpex probe tray_baseline >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEPREFIX="$PWD/build/win64/bench-prefix"
exe="$PWD/build/win64/app/wumpex.exe"
bench="$PWD/build/win64/platform/win32/bench"

cat >"$work/run.sh" <<INNER
set -euo pipefail
# One Wine desktop for all starts: the server stays until the last one has ended.
scripts/wine-run.sh cmd /c exit >/dev/null
/usr/lib/wine/wineserver -w
/usr/lib/wine/wineserver -p
trap '/usr/lib/wine/wineserver -k' EXIT
weigh() {
  sleep 6
  awk '/^Private_(Clean|Dirty)/ {p += \$2} /^Rss/ {r = \$2} END {print p, r}' /proc/\$1/smaps_rollup >>"$work/\$2"
}
for _ in \$(seq $starts); do
  scripts/wine-run.sh "$bench/probe.exe" start "$exe" 9 >/dev/null &
  for _ in \$(seq 200); do
    pid=\$(pgrep -nf "^$exe" || true); [[ -n \$pid ]] && break; sleep 0.05
  done
  weigh "\$pid" wumpex
  wait
  scripts/wine-run.sh "$bench/tray_baseline.exe" 9 &
  weigh \$! baseline
  wait
done
INNER
scripts/desktop.sh bash "$work/run.sh"

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
for column in 1 2; do
  name=$([[ $column == 1 ]] && echo private || echo resident)
  a=$(awk -v c=$column '{print $c}' "$work/wumpex" | median)
  b=$(awk -v c=$column '{print $c}' "$work/baseline" | median)
  awk -v n="$name" -v a="$a" -v b="$b" -v s="$starts" 'BEGIN {
    printf "%s memory 6 s after start: wumpex.exe %d KiB, tray baseline %d KiB, ratio %.2f (medians of %d starts)\n", n, a, b, a / b, s }'
done
