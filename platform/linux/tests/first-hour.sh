#!/usr/bin/env bash
# A new user's first hour with the Linux program, by mouse and keyboard (xdotool) against the
# real binary, listening at the sound server. Run on a private display with a tray
# (scripts/desktop.sh scripts/tray.sh first-hour.sh path/to/wumpex). Each step says what it
# checks; the first that fails ends the walk with its reason.
set -euo pipefail
program=$(realpath "$1")

walk=$(mktemp -d /tmp/wumpex-linux-walk.XXXXXX)
# The sound server is found where it was before the walk's own folders take over.
PULSE_SERVER=$(pactl info | sed -n 's/^Server String: //p')
export PULSE_SERVER
export XDG_CONFIG_HOME=$walk/config XDG_RUNTIME_DIR=$walk/run HOME=$walk/home
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$HOME" "$walk/Звон" "$walk/Mixed" "$walk/Typed"
chmod 700 "$XDG_RUNTIME_DIR"
settings=$XDG_CONFIG_HOME/wumpex/WUMPEX.INI
sox -n -r 22050 -c 1 -b 16 "$walk/Звон/chime.wav" synth 0.4 sine 880
sox -n -r 22050 -c 1 -b 16 "$walk/Mixed/bell.wav" synth 0.4 sine 660
printf 'RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00garbage' >"$walk/Mixed/broken.wav"
sox -n -r 22050 -c 1 -b 16 "$walk/Typed/tone.wav" synth 0.4 sine 440

pids=()
finish() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$walk"
}
trap finish EXIT
fail() {
  echo "first hour: FAILED: $*" >&2
  xwd -root -silent -out /tmp/wumpex-linux-walk-failure.xwd 2>/dev/null &&
    echo "first hour: the screen at the failure is in /tmp/wumpex-linux-walk-failure.xwd" >&2
  exit 1
}
step() { echo "first hour: $*"; }

# Everything the sound server plays is recorded; a mark is a place in the recording.
parec --latency-msec=20 -d @DEFAULT_MONITOR@ --format=s16le --rate=44100 --channels=2 \
  >"$walk/sink.raw" &
pids+=($!)
mark() { echo $(($(stat -c %s "$walk/sink.raw") / 4)); }
loudest_since() {
  sox -t raw -r 44100 -e signed -b 16 -c 2 "$walk/sink.raw" -n trim "$1"s stat 2>&1 |
    awk '/Maximum amplitude/ { print $3 }'
}
heard_since() { awk -v peak="$(loudest_since "$1")" 'BEGIN { exit !(peak > 0.05) }'; }
expect_sound() {
  local from
  from=$(mark)
  for _ in $(seq "$2"); do
    sleep 1
    heard_since "$from" && return 0
  done
  fail "$1: nothing heard in $2 s"
}
expect_silence() {
  local from
  from=$(mark)
  sleep "$2"
  if heard_since "$from"; then fail "$1: a sound was heard"; fi
}

# Finds the shown window of that title, in $found. A window that has just appeared takes a
# moment before it takes keys, as a person's does.
window() {
  found=$(timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -1 || true)
  [[ -n $found ]] || fail "no window \"$1\" came"
  sleep 0.5
}
# Clicks at a point of a window's client area.
click_in() {
  local x y
  eval "$(xdotool getwindowgeometry --shell "$1")"
  x=$((X + $2))
  y=$((Y + $3))
  xdotool mousemove "$x" "$y" click --delay 80 "${4:-1}"
}
# The program's tray icon, in $found: its one small window that shows.
tray_icon() {
  for _ in $(seq 100); do
    for found in $(xdotool search --onlyvisible --classname '^wumpex$'); do
      eval "$(xdotool getwindowgeometry --shell "$found")"
      ((WIDTH <= 64 && HEIGHT <= 64)) && return
    done
    sleep 0.2
  done
  fail "no tray icon"
}
# Chooses from the tray menu by its keys: the item's place from the top, or Up for the last.
# The keys wait for the menu to show (a window of the program's more), and a click that
# opened none is tried again, as a person would.
tray_menu() {
  local before
  tray_icon
  before=$(xdotool search --onlyvisible --classname '^wumpex$' | wc -l)
  for _ in 1 2 3; do
    click_in "$found" 10 10 3
    for _ in $(seq 25); do
      (($(xdotool search --onlyvisible --classname '^wumpex$' | wc -l) > before)) && break 2
      sleep 0.2
    done
  done
  sleep 0.3
  xdotool key --delay 120 "$@"
  sleep 0.5
}
# Waits up to 10 s for a program to end and fails with why when it does not or not cleanly.
expect_end() {
  for _ in $(seq 50); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.2
  done
  kill -0 "$1" 2>/dev/null && fail "$2 did not end it within 10 s"
  wait "$1" || fail "$2 ended it with $?"
}
open_settings() {
  tray_icon
  click_in "$found" 10 10
  xdotool click --delay 60 1
  window "Wumpex! 1.11"
  form=$found
}
# Selects what an edit box holds and types over it.
type_into() {
  click_in "$form" "$1" "$2"
  xdotool key ctrl+a
  xdotool type --delay 30 "$3"
}
press_ok() { click_in "$form" 133 355; }

step "the first start explains itself and asks for a folder"
"$program" &
main=$!
pids+=("$main")
window "Wumpex! Configure"
xdotool key Return
window "Select WAV sound folder..."
# The folder's Cyrillic letters get keys of their own first: xdotool would map each to a
# spare key for the moment, and the program can read a key before it sees the new mapping.
xmodmap -e "keycode 250 = Cyrillic_ze Cyrillic_ZE" -e "keycode 251 = Cyrillic_ve" \
  -e "keycode 252 = Cyrillic_o" -e "keycode 253 = Cyrillic_en"
sleep 0.5
xdotool type --delay 30 "$walk/Звон"
xdotool key Return
for _ in $(seq 20); do [[ -f $settings ]] && break; sleep 0.2; done
# The file keeps the layout it has on Windows, CR LF line ends included.
grep -qx "WAVPath=$walk/Звон"$'\r' "$settings" || fail "the chosen folder was not saved"

step "the settings window opens from the tray and takes a short interval"
open_settings
type_into 187 149 2
type_into 187 181 1
press_ok
expect_sound "the chosen folder's chime" 12

step "a damaged file gives one box, and the sound goes on"
open_settings
click_in "$form" 130 21
type_into 127 245 "$walk/Mixed"
press_ok
# The box bears the program's title, as the settings window does, which is hidden now.
error=
for _ in $(seq 15); do
  error=$(xdotool search --onlyvisible --name '^Wumpex! 1.11$' | head -1 || true)
  [[ -n $error ]] && break
  sleep 1
done
[[ -n $error ]] || fail "no box for the damaged file"
xdotool key Return
expect_sound "the good file after the damaged one" 12

step "a typed folder plays"
open_settings
click_in "$form" 130 21
type_into 127 245 "$walk/Typed"
press_ok
expect_sound "the typed folder" 12

step "a window whose title holds a Be Quiet pattern keeps it quiet until it closes"
open_settings
click_in "$form" 210 21
click_in "$form" 73 273
window 'Add new "Be Quiet" Application'
xdotool type --delay 30 "Zoom Meeting"
click_in "$found" 333 18
press_ok
xmessage -title "Weekly Zoom Meeting" "in a meeting" &
meeting=$!
pids+=("$meeting")
sleep 1
expect_silence "during the meeting" 8
kill "$meeting"
expect_sound "after the meeting" 12

step "mute from the tray menu keeps it quiet"
tray_menu Down Down Down Down Return
expect_silence "while muted" 8
tray_menu Down Down Down Return
expect_sound "after mute off" 12

step "quiet for 15 minutes keeps it quiet"
tray_menu Down Down Down Down Down Right Return
expect_silence "while quiet for a while" 8

step "a second start while it runs ends at once and brings the open settings window forward"
open_settings
xmessage -title "Notes" -geometry 500x500+250+120 "notes" &
notes=$!
pids+=("$notes")
window Notes
notes_window=$found
# Whether the first window lies above the second: xwininfo lists the root's children from
# the top down.
above() {
  xwininfo -root -children | awk -v a="$(printf '0x%x' "$1")" -v b="$(printf '0x%x' "$2")" \
    '$1 == a { at = NR } $1 == b { bt = NR } END { exit !(at && bt && at < bt) }'
}
above "$notes_window" "$form" || fail "the notes do not cover the settings window"
start=$(date +%s%N)
"$program" || fail "the second start ended with $?"
(($(date +%s%N) - start < 5000000000)) || fail "the second start took 5 s or more"
kill -0 "$main" || fail "the first instance ended"
sleep 0.5
above "$form" "$notes_window" || fail "the settings window did not come forward"
press_ok
kill "$notes"

step "Shutdown in the tray menu ends it with exit code 0"
tray_menu Up Return
expect_end "$main" Shutdown

step "SIGTERM ends it the same orderly way"
"$program" &
main=$!
pids+=("$main")
tray_icon
kill -TERM "$main"
expect_end "$main" SIGTERM
step "on a display with no notification area it says so once and opens its settings window"
# shellcheck disable=SC2016
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
  set -euo pipefail
  "$1" &
  program=$!
  shown() {
    for _ in $(seq 100); do
      xdotool search --onlyvisible --name "$1" >/dev/null && return 0
      sleep 0.2
    done
    return 1
  }
  shown "^Wumpex!\$" || { echo "no box told why there is no icon"; exit 1; }
  sleep 0.5
  xdotool key Return
  shown "^Wumpex! 1\.11\$" || { echo "the settings window did not open"; exit 1; }
  kill -TERM "$program"
  wait "$program"
' _ "$program" || fail "without a notification area"
step "passed"
