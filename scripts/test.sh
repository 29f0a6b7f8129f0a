#!/usr/bin/env bash
# Sets up what is missing, builds every preset and runs every test suite: the native suites
# directly, each fuzz target for 25 seconds, the Windows suites under Wine on a private desktop,
# and wumpex.exe for a minute's soak.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
for preset in native win64 win32; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
echo "== test native"
ctest --preset native
echo "== fuzz"
scripts/fuzz.sh 25
echo "== test win64 (under Wine)"
scripts/desktop.sh ctest --preset win64
echo "== soak (under Wine)"
scripts/soak.sh 1
