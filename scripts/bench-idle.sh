#!/usr/bin/env bash
# Measures wumpex.exe under Wine while it idles between ticks: the time from process start
# until its main window exists (the last step before the message loop), its private memory
# after start, and its wake-ups. A wake-up is a burst of system calls after at least 100 ms
# of silence, traced with strace; wake-ups less than 9.5 s after the one before cannot be
# the scheduler's (its intervals are 10 s or more with the starting settings).
# Usage: scripts/bench-idle.sh [starts] [seconds traced]
set -euo pipefail
cd "$(dirname "$0")/.."
starts=${1:-9}
traced=${2:-60}
command -v strace >/dev/null || { echo "bench-idle: needs strace (apt-get install strace)" >&2; exit 1; }
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target wumpex probe >/dev/null
work=$(mktemp -d)
export WINEPREFIX="$PWD/build/win64/bench-prefix"
exe="$PWD/build/win64/app/wumpex.exe"
probe="$PWD/build/win64/platform/win32/bench/probe.exe"

cat >"$work/run.sh" <<INNER
set -euo pipefail
for i in \$(seq $starts); do
  scripts/wine-run.sh "$probe" start "$exe" 0 | awk '/ready_ms/ {print \$2}' >>"$work/ready"
done
scripts/wine-run.sh "$probe" start "$exe" $((traced + 15)) >"$work/probe.out" &
for _ in \$(seq 200); do
  pid=\$(pgrep -f 'app/wumpex.exe\$' | head -1 || true); [[ -n \$pid ]] && break; sleep 0.05
done
sleep 5
awk '/^Private_(Clean|Dirty)/ {kb += \$2} END {print kb}' /proc/\$pid/smaps_rollup >"$work/private_kb"
timeout $traced strace -f -ttt -p \$pid -o "$work/trace" 2>/dev/null || true
wait
INNER
scripts/desktop.sh bash "$work/run.sh"

sort -n "$work/ready" | awk '{a[NR]=$1} END {printf "start to message loop: median %.1f ms (min %.1f, max %.1f, %d starts)\n", a[int((NR+1)/2)], a[1], a[NR], NR}'
echo "private memory 5 s after start: $(cat "$work/private_kb") KiB"
awk -v traced="$traced" '
  NR == 1 { next }  # the call strace found it sleeping in
  { t = $2 + 0; if (n == 0 || t - last > 0.1) { if (n > 0) gap = t - burst; burst = t; n++; if (n > 1 && gap < 9.5) other++ } last = t }
  END { printf "wake-ups in %d s: %d; not the scheduler'\''s: %d\n", traced, n, other + 0 }' "$work/trace"
grep -q "exit_code 0" "$work/probe.out" && echo "exit code after the run: 0"
rm -rf "$work"
