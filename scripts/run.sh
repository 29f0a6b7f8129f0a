#!/usr/bin/env bash
# Builds wumpex.exe for 64-bit Windows and starts it under Wine. The program's
# Windows directory lives in a prefix of its own under build/win64.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target wumpex
export WINEPREFIX="$PWD/build/win64/run-prefix"
exec scripts/desktop.sh scripts/wine-run.sh build/win64/app/wumpex.exe
