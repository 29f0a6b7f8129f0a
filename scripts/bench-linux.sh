#!/usr/bin/env bash
# Measures the Linux program beside the smallest programs of its kind, in one run, on one
# private display with a notification area and one sound server of its own:
# - start to idle (from the start until its tray icon shows) and private and resident memory
#   6 s after start, wumpex against linux_bench tray (a Qt program with one tray icon);
# - wake-ups while idle between ticks: the poll calls of all its threads in 20 s, both;
# - from a tick's timer to the first sample at the sound server, against the same file
#   played straight through libsndfile and PulseAudio (linux_bench bare-tick);
# - the program's size, stripped, and its package's; and that every library it loads comes
#   from a Debian package.
# Prints medians over the starts and ticks.
# Usage: scripts/bench-linux.sh [starts] [ticks]
set -euo pipefail
cd "$(dirname "$0")/.."
starts=${1:-5}
ticks=${2:-9}
cmake --preset linux >/dev/null
cmake --build --preset linux --target wumpex linux_bench >/dev/null
work=$(mktemp -d)
export work starts ticks
trap '[[ -f $work/pulse/pid ]] && kill "$(cat "$work/pulse/pid")"; rm -rf "$work"' EXIT
export PULSE_RUNTIME_PATH="$work/pulse"
unset DISPLAY
mkdir -p "$work/sounds" "$work/config/wumpex" "$work/run"
chmod 700 "$work/run"
sox -n -r 22050 -b 16 -c 1 "$work/sounds/tone.wav" synth 0.3 sine 440 vol 0.5
# A settled user's settings with a sound an hour away: the program idles.
printf '[WumpexSettings]\r\nWAVPath=%s\r\nRandomTime=1\r\nRandomTimeType=2\r\nVariableTime=0\r\nVariableTimeType=0\r\nNumBeQuietItems=0\r\n' \
  "$work/sounds" >"$work/config/wumpex/WUMPEX.INI"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
export program="$PWD/build/linux/app/wumpex" bench="$PWD/build/linux/platform/linux/bench/linux_bench"

measure() {
  set -euo pipefail
  now() { date +%s%N; }
  # Starts a program, waits for its tray icon (its one window that shows, of its window
  # class) to show, weighs it 6 s later and counts its poll calls over the next 20 s; one line
  # of figures to $work/<label>.
  weigh() {
    local label=$1 class=$2 start pid shown
    shift 2
    start=$(now)
    "$@" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 2000); do
      xdotool search --onlyvisible --classname "^$class\$" >/dev/null 2>&1 && break
      sleep 0.01
    done
    shown=$(now)
    sleep 6
    local memory
    memory=$(awk '/^Private_(Clean|Dirty)/ { p += $2 } /^Rss/ { r = $2 } END { print p, r }' \
      "/proc/$pid/smaps_rollup")
    timeout 20 strace -f -qq -e trace=poll,ppoll -p "$pid" -o "$work/trace" 2>/dev/null || true
    local polls
    polls=$(grep -c 'poll(' "$work/trace" || true)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$(((shown - start) / 1000000)) $memory $polls" >>"$work/$label"
  }
  for _ in $(seq "$starts"); do
    weigh wumpex wumpex "$program"
    weigh baseline tray_baseline "$bench" tray 40
  done
  # Each tick's time, then the sound server's onsets, for the program and the bare play.
  listen() {
    local label=$1
    shift
    mkfifo "$work/samples-$label"
    python3 scripts/sink-onsets.py <"$work/samples-$label" >"$work/onsets-$label" &
    local listener=$!
    parec -d @DEFAULT_MONITOR@ --raw --format=s16le --rate=44100 --channels=1 \
      --latency-msec=10 >"$work/samples-$label" &
    local recorder=$!
    sleep 1
    "$@" >"$work/ticks-$label"
    sleep 1
    kill "$recorder"
    wait "$recorder" "$listener" || true
  }
  listen program "$bench" tick "$work/sounds" "$ticks"
  listen bare "$bench" bare-tick "$work/sounds/tone.wav" "$ticks"
}
scripts/desktop.sh scripts/tray.sh bash -c "$(declare -f measure); measure"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
column() { awk -v c="$1" '{ print $c }' "$work/$2" | median; }
echo "each of $starts starts, side by side on one display:"
for label in wumpex baseline; do
  name=$label
  [[ $label == baseline ]] && name="bare Qt tray program"
  echo "  $name: start to tray icon $(column 1 "$label") ms, private memory" \
    "$(column 2 "$label") KiB, resident $(column 3 "$label") KiB, idle poll calls in 20 s" \
    "$(column 4 "$label")"
done
awk -v p="$(column 2 wumpex)" -v b="$(column 2 baseline)" -v r="$(column 3 wumpex)" \
  -v s="$(column 3 baseline)" \
  'BEGIN { printf "  wumpex over the bare program: private %+d KiB, resident %+d KiB\n", p - b, r - s }'
for label in program bare; do
  python3 scripts/tick-delays.py "$work/ticks-$label" "$work/onsets-$label" >"$work/delays-$label" ||
    { echo "$label: $(cat "$work/delays-$label")" && exit 1; }
done
echo "tick to first sample at the sound server: wumpex $(cat "$work/delays-program")"
echo "play asked for to first sample, libsndfile and PulseAudio alone: $(cat "$work/delays-bare")"

strip -o "$work/wumpex.stripped" build/linux/app/wumpex
(cd build/linux && cpack -B "$work/package" >/dev/null 2>&1)
echo "size: wumpex $(stat -c %s build/linux/app/wumpex) bytes, stripped" \
  "$(stat -c %s "$work/wumpex.stripped") bytes, package" \
  "$(stat -c %s "$work"/package/*.deb) bytes"
libraries=$(ldd build/linux/app/wumpex | awk '$3 ~ /^\// { print $3 }')
foreign=$(for library in $libraries; do
  dpkg -S "$(realpath "$library")" >/dev/null 2>&1 || dpkg -S "$library" >/dev/null 2>&1 ||
    echo "$library"
done)
echo "libraries loaded: $(echo "$libraries" | wc -l), from no Debian package: ${foreign:-none}"
[[ -z $foreign ]]
