#!/usr/bin/env bash
# Builds wumpex.exe for 64-bit Windows and starts it under Wine; with --linux, builds the
# native Linux program instead and starts it. The program's Windows directory lives in a
# prefix of its own under build/win64; the Linux program keeps its settings in
# $XDG_CONFIG_HOME/wumpex.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
if [[ ${1:-} == --linux ]]; then
  cmake --preset linux >/dev/null
  cmake --build --preset linux
  exec scripts/desktop.sh scripts/tray.sh build/linux/app/wumpex
fi
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target wumpex
export WINEPREFIX="$PWD/build/win64/run-prefix"
exec scripts/desktop.sh scripts/wine-run.sh build/win64/app/wumpex.exe
