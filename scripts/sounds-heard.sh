#!/usr/bin/env bash
# Counts the sounds heard while wumpex.exe plays, every 5 seconds, from a folder of 11 good
# short tones and 4 damaged files (a wave header without samples, a header whose samples
# end early, a RIFF header followed by noise, a text file named .wav). The program runs
# under Wine in a fresh prefix whose settings file names that folder; a probe presses OK
# on every error box it shows and counts them, while the sound server's monitor is
# recorded. Prints the sounds heard (the starts of sound after silence in the recording)
# against the ticks the interval promises, and the error boxes.
# Usage: scripts/sounds-heard.sh [minutes]
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-3}
seconds=$((minutes * 60))
interval=5
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target wumpex probe >/dev/null
work=$(mktemp -d)
# A sound server of its own (scripts/desktop.sh starts one when none answers), so that no
# other program's sound is counted; ended with the script.
export PULSE_RUNTIME_PATH="$work/pulse"
trap '[[ -f $work/pulse/pid ]] && kill "$(cat "$work/pulse/pid")"; rm -rf "$work"' EXIT

sounds="$work/sounds"
mkdir "$sounds"
for n in $(seq 11); do
  sox -n -r 22050 -b 16 -c 1 "$sounds/tone-$n.wav" synth 0.3 sine $((300 + 60 * n)) vol 0.5
done
head -c 44 "$sounds/tone-1.wav" >"$sounds/header-only.wav"
head -c 2000 "$sounds/tone-2.wav" >"$sounds/truncated.wav"
{ head -c 12 "$sounds/tone-3.wav" && head -c 4000 /dev/urandom; } >"$sounds/garbage.wav"
echo "These lines are no sound." >"$sounds/text.wav"

export WINEPREFIX="$work/prefix"
mkdir -p "$WINEPREFIX/drive_c/windows"
printf '[WumpexSettings]\r\nWAVPath=Z:%s\r\nRandomTime=%d\r\nRandomTimeType=0\r\nVariableTime=0\r\nVariableTimeType=0\r\nNumBeQuietItems=0\r\n' \
  "${sounds//\//\\}" "$interval" >"$WINEPREFIX/drive_c/windows/WUMPEX.INI"
probe="$PWD/build/win64/platform/win32/bench/probe.exe"
program="$PWD/build/win64/app/wumpex.exe"

cat >"$work/run.sh" <<INNER
set -euo pipefail
# The prefix is made before recording, so that its set-up is not part of the time.
scripts/wine-run.sh cmd /c exit >/dev/null
parec -d @DEFAULT_MONITOR@ --raw --format=s16le --rate=44100 --channels=1 --latency-msec=20 \\
  >"$work/sink.raw" &
recorder=\$!
scripts/wine-run.sh "$probe" error-boxes "$program" $seconds >"$work/boxes"
kill \$recorder
wait \$recorder || true
INNER
scripts/desktop.sh bash "$work/run.sh"

heard=$(python3 scripts/sink-onsets.py <"$work/sink.raw" | grep -c onset_ms || true)
boxes=$(awk '/^error_boxes/ { print $2 }' "$work/boxes")
grep '^error_box ' "$work/boxes" || true
echo "sounds heard over $minutes minutes (${interval}-s interval, 11 good and 4 damaged files):" \
  "$heard of $((seconds / interval)) ticks expected; error boxes: ${boxes:-none counted}"
