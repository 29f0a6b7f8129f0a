#!/usr/bin/env bash
# Measures under Wine the delay from a tick's timer message to the first sample of its
# sound reaching the sound server (a null sink on a machine without sound card): a test
# program runs the tick once a second over a folder holding a 0.3-s tone made by sox and
# prints when each timer message arrived; the sound server's monitor is read meanwhile and
# the start of each sound is taken from it. Prints the median and range over the ticks.
# Usage: scripts/bench-tick.sh [ticks]
set -euo pipefail
cd "$(dirname "$0")/.."
ticks=${1:-9}
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tick_bench >/dev/null
work=$(mktemp -d)
mkdir "$work/sounds"
sox -n -r 22050 -b 16 -c 1 "$work/sounds/tone.wav" synth 0.3 sine 440 vol 0.5
export WINEPREFIX="$PWD/build/win64/bench-prefix"
bench="$PWD/build/win64/platform/win32/bench/tick_bench.exe"

cat >"$work/run.sh" <<INNER
set -euo pipefail
mkfifo "$work/samples"
python3 scripts/sink-onsets.py <"$work/samples" >"$work/onsets" &
listener=\$!
parec -d @DEFAULT_MONITOR@ --raw --format=s16le --rate=44100 --channels=1 --latency-msec=10 \\
  >"$work/samples" &
recorder=\$!
sleep 1
scripts/wine-run.sh "$bench" "Z:${work//\//\\\\}\\\\sounds" $ticks >"$work/ticks"
sleep 1
kill \$recorder
wait \$recorder \$listener || true
INNER
scripts/desktop.sh bash "$work/run.sh"

# Each tick against the first sound that began after it.
delays=$(python3 scripts/tick-delays.py "$work/ticks" "$work/onsets") || {
  echo "$delays"
  exit 1
}
echo "tick to first sample at the sound server: $delays"
rm -rf "$work"
