#!/usr/bin/env bash
# Runs wumpex.exe under Wine for some minutes (or, with --linux, the Linux program wumpex),
# a sound every 5 seconds from a folder of short tones, on a private X display and sound
# server, while a user opens the settings window by mouse every 30 seconds (a double-click on
# the program's tray icon) and closes it with its OK button. Prints the sounds heard at the
# sound server against the ticks expected (the interval counts from the end of the last sound
# and stops while the window is open), and the process's private memory and its USER and GDI
# objects (Windows) or open file descriptors (Linux) at start and end. Start is taken after
# the first sound and a first opening, since the sound system's buffers and the window's
# fonts and pictures are made when first needed.
# Fails when fewer than 90% of the ticks are heard, the window once does not open or close,
# or the objects or descriptors grew.
# Usage: scripts/soak.sh [--linux] [minutes]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export linux=0
if [[ ${1:-} == --linux ]]; then
  linux=1
  shift
fi
if ((linux)); then
  cmake --preset linux >/dev/null
  cmake --build --preset linux --target wumpex >/dev/null
else
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 --target wumpex probe >/dev/null
fi

export minutes=${1:-1} interval=5 tone=0.2 every=30
work=$(mktemp -d)
export work
# A sound server and display of its own, so that no other program's sound is counted.
export PULSE_RUNTIME_PATH="$work/pulse"
unset DISPLAY
trap '[[ -f $work/pulse/pid ]] && kill "$(cat "$work/pulse/pid")"; rm -rf "$work"' EXIT

mkdir "$work/sounds"
for n in $(seq 8); do
  sox -n -r 22050 -b 16 -c 1 "$work/sounds/tone-$n.wav" synth "$tone" sine $((300 + 80 * n)) vol 0.5
done
settings='[WumpexSettings]\r\nWAVPath=%s\r\nRandomTime=%d\r\nRandomTimeType=0\r\nVariableTime=0\r\nVariableTimeType=0\r\nNumBeQuietItems=0\r\n'
if ((linux)); then
  export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
  mkdir -p "$XDG_CONFIG_HOME/wumpex" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  # shellcheck disable=SC2059
  printf "$settings" "$work/sounds" "$interval" >"$XDG_CONFIG_HOME/wumpex/WUMPEX.INI"
else
  export WINEPREFIX="$work/prefix"
  mkdir -p "$WINEPREFIX/drive_c/windows"
  # shellcheck disable=SC2059
  printf "$settings" "Z:${work//\//\\}\\sounds" "$interval" >"$WINEPREFIX/drive_c/windows/WUMPEX.INI"
fi

now() { date +%s.%N; }

# Writes the process's private memory and its objects or descriptors to $work/<label>.
measure() {
  awk '/^Private_(Clean|Dirty)/ { kb += $2 } END { print "private_kb", kb }' \
    "/proc/$program/smaps_rollup" >"$work/$1"
  if ((linux)); then
    echo "descriptors $(find "/proc/$program/fd" -mindepth 1 | wc -l)" >>"$work/$1"
  else
    scripts/wine-run.sh build/win64/platform/win32/bench/probe.exe resources >>"$work/$1"
  fi
}

# The program's tray icon: Wine's tray window, or the Linux program's one small window.
tray_icon() {
  if ((linux)); then
    local id
    for id in $(xdotool search --onlyvisible --classname '^wumpex$'); do
      eval "$(xdotool getwindowgeometry --shell "$id")"
      if ((WIDTH <= 64 && HEIGHT <= 64)); then
        echo "$id"
        return
      fi
    done
  else
    xdotool search --name '^Wine System Tray$' | head -1
  fi
}

# The user double-clicks the tray icon, looks at the window for a second and presses OK
# (the centre of the button, 133,355 in the window's client area).
open_and_close_settings() {
  local tray form
  tray=$(tray_icon)
  echo "open $(now)" >>"$work/timeline"
  xdotool mousemove --window "$tray" 10 10 click --repeat 2 --delay 80 1
  for _ in $(seq 50); do
    form=$(xdotool search --onlyvisible --name '^Wumpex! 1\.11$' | head -1 || true)
    [[ -n $form ]] && break
    sleep 0.1
  done
  [[ -n $form ]] || return 1
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$form")"
  # Wine draws a frame around the client area; on Linux the window manager does, if any.
  local border=$(((WIDTH - 337) / 2))
  xdotool mousemove --window "$form" $((border + 133)) $((HEIGHT - 373 - border + 355)) click 1
  echo "close $(now)" >>"$work/timeline"
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^Wumpex! 1\.11$' >/dev/null || return 0
    sleep 0.1
  done
  return 1
}

soak() {
  set -euo pipefail
  # The prefix is made before recording, so that its set-up is not part of the time.
  ((linux)) || scripts/wine-run.sh cmd /c exit >/dev/null
  mkfifo "$work/sink"
  python3 scripts/sink-onsets.py <"$work/sink" >"$work/onsets" &
  local counter=$!
  parec -d @DEFAULT_MONITOR@ --raw --format=s16le --rate=44100 --channels=1 --latency-msec=20 \
    >"$work/sink" &
  local recorder=$!
  echo "start $(now)" >"$work/timeline"
  if ((linux)); then
    build/linux/app/wumpex &
    program=$!
    until [[ -n $(tray_icon) ]]; do sleep 0.2; done
  else
    scripts/wine-run.sh build/win64/app/wumpex.exe &
    program=$!
    until scripts/wine-run.sh build/win64/platform/win32/bench/probe.exe resources >/dev/null 2>&1; do
      sleep 0.2
    done
  fi
  local tries=1 done=0 end
  end=$(awk -v t="$(now)" -v s="$((minutes * 60))" 'BEGIN { printf "%d", t + s }')
  for _ in $(seq 100); do
    grep -q onset_ms "$work/onsets" && break
    sleep 0.1
  done
  open_and_close_settings && done=1
  measure start
  while (($(date +%s) + every < end)); do
    sleep "$every"
    tries=$((tries + 1))
    open_and_close_settings && done=$((done + 1))
  done
  local left=$((end - $(date +%s)))
  ((left > 0)) && sleep "$left"
  echo "end $(now)" >>"$work/timeline"
  measure end
  echo "settings $done $tries" >"$work/settings"
  if ((linux)); then
    kill -TERM "$program"
    wait "$program" || true
  else
    /usr/lib/wine/wineserver -k
  fi
  kill "$recorder"
  wait "$recorder" "$counter" || true
}
# The functions go as text: the display's wrapper is a POSIX shell, which drops exported ones.
# Wine's programs have a tray window of their own; the Linux program needs a notification area.
tray=()
((linux)) && tray=(scripts/tray.sh)
scripts/desktop.sh "${tray[@]}" bash -c \
  "$(declare -f now measure tray_icon open_and_close_settings soak); soak"

heard=$(grep -c onset_ms "$work/onsets" || true)
# Each stretch with the window closed promises one tick per interval and sound.
expected=$(awk -v period="$(awk -v i="$interval" -v t="$tone" 'BEGIN { print i + t }')" '
  $1 == "open" || $1 == "end" { ticks += int(($2 - from) / period) }
  $1 == "start" || $1 == "close" { from = $2 }
  END { print ticks }' "$work/timeline")
read -r _ done tries <"$work/settings"
figure() { awk -v key="$1" '$1 == key { print $2 }' "$work/$2"; }
echo "soak of $minutes min: a sound every $interval s from 8 tones of $tone s," \
  "the settings window opened every $every s"
echo "sounds heard: $heard of $expected ticks expected"
echo "settings window opened and closed by mouse: $done of $tries times"
echo "private memory: $(figure private_kb start) KiB at start, $(figure private_kb end) KiB at end"
if ((linux)); then
  echo "open descriptors: $(figure descriptors start) at start, $(figure descriptors end) at end"
  awk -v heard="$heard" -v expected="$expected" -v done="$done" -v tries="$tries" \
    -v fd0="$(figure descriptors start)" -v fd1="$(figure descriptors end)" \
    'BEGIN { exit !(heard >= 0.9 * expected && done == tries && fd0 > 0 && fd1 <= fd0) }' ||
    { echo "soak: failed: too few sounds, a failed opening, or descriptors grown" >&2; exit 1; }
  exit 0
fi
echo "USER objects: $(figure user_objects start) at start, $(figure user_objects end) at end"
echo "GDI objects: $(figure gdi_objects start) at start, $(figure gdi_objects end) at end"
echo "objects counted by: $(grep counted_by "$work/end" | cut -d' ' -f2-)"
awk -v heard="$heard" -v expected="$expected" -v done="$done" -v tries="$tries" \
  -v user0="$(figure user_objects start)" -v user1="$(figure user_objects end)" \
  -v gdi0="$(figure gdi_objects start)" -v gdi1="$(figure gdi_objects end)" \
  'BEGIN { exit !(heard >= 0.9 * expected && done == tries && user0 > 0 && user1 <= user0 &&
                 gdi0 > 0 && gdi1 <= gdi0) }' ||
  { echo "soak: failed: too few sounds, a failed opening, or objects grown" >&2; exit 1; }
