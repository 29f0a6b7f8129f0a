#!/usr/bin/env bash
# Runs a command with a desktop for Windows programs: an X display (a private Xvfb
# when none is set) and a PulseAudio server (a null sink when none answers), so that
# windows and sound work on a machine without screen or sound card.
set -euo pipefail

# With WUMPEX_PRIVATE_SOUND set, the command gets a sound server of its own, which ends with
# it, so that no other program's sound reaches what it records.
if [[ -n ${WUMPEX_PRIVATE_SOUND:-} ]]; then
  unset WUMPEX_PRIVATE_SOUND
  PULSE_RUNTIME_PATH=$(mktemp -d /tmp/wumpex-sound.XXXXXX)
  export PULSE_RUNTIME_PATH
  trap 'kill "$(cat "$PULSE_RUNTIME_PATH/pid" 2>/dev/null)" 2>/dev/null || true
    rm -rf "$PULSE_RUNTIME_PATH"' EXIT
  status=0
  "$0" "$@" || status=$?
  exit "$status"
fi

if ! pactl info >/dev/null 2>&1; then
  pulseaudio --daemonize=yes --exit-idle-time=-1 --disallow-exit -n \
    --load=module-native-protocol-unix --load="module-null-sink sink_name=wumpex_null" \
    --load=module-always-sink >/dev/null 2>&1 || true
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl info >/dev/null 2>&1 || { echo "desktop: no PulseAudio server could be started" >&2; exit 1; }
fi

if [[ -z ${DISPLAY:-} ]]; then
  WUMPEX_PRIVATE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$@"
fi
exec "$@"
