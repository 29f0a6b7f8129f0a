#!/usr/bin/env bash
# Builds the fuzz targets and runs each for SECONDS, one after another, from its seed inputs
# (fuzz/corpus/<target>) and what earlier runs kept (build/fuzz/corpus/<target>). Prints each
# target's executions and executions per second, and exits non-zero on any finding; the input
# that led to it lands in build/fuzz/findings/<target>, the report in build/fuzz/logs.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: scripts/fuzz.sh SECONDS}
scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
# The targets' drives are temporary folders, made and removed for each input: in memory
# where the system offers it, which makes the targets that write files several times faster.
drives=$(mktemp -d /dev/shm/wumpex-fuzz.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$drives"' EXIT
mkdir -p build/fuzz/logs
status=0
for seeds in fuzz/corpus/*/; do
  target=$(basename "$seeds")
  corpus=build/fuzz/corpus/$target
  findings=build/fuzz/findings/$target
  log=build/fuzz/logs/$target.log
  mkdir -p "$corpus" "$findings"
  # A hang is an input that runs for 10 seconds, unbounded memory one that needs 1 GiB.
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1
    -artifact_prefix="$findings/")
  # Wave images beyond libFuzzer's usual 4,096 bytes, so that a forged size meets many bytes.
  [[ $target == WaveFuzz ]] && options+=(-max_len=65536)
  result=ok
  if ! TMPDIR=$drives build/fuzz/fuzz/"$target" "${options[@]}" "$corpus" "$seeds" \
    >"$log" 2>&1; then
    result="FINDING"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  echo "fuzz $target: ${runs:-?} executions, ${rate:-?} per second: $result"
  [[ $result == ok ]] || grep -aE '^finding:|ERROR:|SUMMARY:|Test unit written' "$log"
done
exit $status
