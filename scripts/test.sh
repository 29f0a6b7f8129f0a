#!/usr/bin/env bash
# Sets up what is missing, builds every preset and runs every test suite: the native suites
# directly, the Linux program's on a private display, each fuzz target for 25 seconds, the
# Windows suites under Wine on a private desktop, wumpex.exe and the Linux program for a
# minute's soak each, and each benchmark once, briefly, so that none can rot.
set -euo pipefail
cd "$(dirname "$0")/.."
# Each phase's heading carries the seconds since the start, so that the log shows where the
# time goes.
phase() { echo "== $* (at ${SECONDS} s)"; }
scripts/setup.sh
for preset in native linux win64 win32; do
  phase "build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
phase "test native"
ctest --preset native
phase "test linux (the Linux program, on a private display)"
ctest --preset linux
phase "fuzz"
scripts/fuzz.sh 25
phase "test win64 (under Wine)"
scripts/desktop.sh ctest --preset win64
phase "soak (under Wine, then the Linux program)"
scripts/soak.sh 1
scripts/soak.sh --linux 1
# A hang of a benchmark is a failure too.
phase "benchmarks (each once, briefly, under Wine)"
timeout 300 scripts/bench-idle.sh 1 10
timeout 300 scripts/bench-settings.sh 1
timeout 300 scripts/bench-start.sh 1
timeout 300 scripts/bench-tick.sh 2
timeout 300 scripts/bench-memory.sh 1
timeout 300 scripts/bench-linux.sh 1 2
phase "done"
