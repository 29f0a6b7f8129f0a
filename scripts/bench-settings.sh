#!/usr/bin/env bash
# Measures under Wine the time from a double-click on the tray icon (the shell's report of it
# posted to the icon's window) until the settings window is visible, over several starts of
# wumpex.exe, and runs program_bench.exe, which also saves the settings with 100 Be Quiet
# patterns and prints the saved file's size.
# Usage: scripts/bench-settings.sh [starts]
set -euo pipefail
cd "$(dirname "$0")/.."
starts=${1:-9}
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target wumpex probe program_bench >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEPREFIX="$PWD/build/win64/bench-prefix"
exe="$PWD/build/win64/app/wumpex.exe"
bench="$PWD/build/win64/platform/win32/bench"

cat >"$work/run.sh" <<INNER
set -euo pipefail
for i in \$(seq $starts); do
  scripts/wine-run.sh "$bench/probe.exe" settings "$exe" | awk '/shown_ms/ {print \$2}' >>"$work/shown"
done
scripts/wine-run.sh "$bench/program_bench.exe"
INNER
scripts/desktop.sh bash "$work/run.sh"

sort -n "$work/shown" | awk '{a[NR]=$1} END {printf "tray double-click to settings window shown: median %.2f ms (min %.2f, max %.2f, %d starts)\n", a[int((NR+1)/2)], a[1], a[NR], NR}'
