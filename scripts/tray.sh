#!/usr/bin/env bash
# Runs a command with a notification area. On a private display (scripts/desktop.sh) there
# is none, so one is started (trayer, bottom right) and ended with the command; on your own
# desktop its own is used.
set -euo pipefail
if [[ -z ${WUMPEX_PRIVATE_DISPLAY:-} ]]; then exec "$@"; fi
trayer --edge bottom --align right --widthtype pixel --width 100 --heighttype pixel \
  --height 24 >/dev/null 2>&1 &
tray=$!
trap 'kill $tray 2>/dev/null || true' EXIT
sleep 0.5
"$@"
