#!/usr/bin/env bash
# Runs a command while recording what reaches the sound server, then checks that the
# recording holds between MIN and MAX seconds of sound once its silences are cut out.
# Usage: record-sink.sh RECORDING.wav MIN MAX COMMAND [ARGS...]
set -uo pipefail
recording=$1 min=$2 max=$3
shift 3
# A short latency, so that stopping the recorder loses nothing of the end.
parec -d @DEFAULT_MONITOR@ --latency-msec=20 --file-format=wav "$recording" &
recorder=$!
sleep 0.5
"$@"
result=$?
sleep 0.5
kill "$recorder"
wait "$recorder"
[[ $result -eq 0 ]] || exit "$result"
length=$(sox "$recording" -n silence 1 0.01 1% -1 0.02 1% stat 2>&1 | awk '/^Length/ { print $3 }')
echo "sound heard on the sound server for ${length:-0} s (wanted $min to $max s)"
awk -v s="${length:-0}" -v lo="$min" -v hi="$max" 'BEGIN { exit !(s >= lo && s <= hi) }'
