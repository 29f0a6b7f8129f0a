#!/usr/bin/env python3
"""Pairs each tick (lines "tick_ms T") with the first sound that began at the sound server
after it (lines "onset_ms T", from sink-onsets.py) and prints the delays' median and range.

The monitor passes the sink's samples on in blocks, so an onset's time is known only to
within a block: a sound that follows its tick at once can seem to begin a few milliseconds
before it. An onset up to SLACK_MS before a tick therefore still belongs to that tick, and
its delay is printed as it was measured, below zero; otherwise the tick would take the next
tick's sound and report a whole interval.
Usage: tick-delays.py TICKS ONSETS"""

import statistics
import sys

SLACK_MS = 50.0


def times(path, key):
    with open(path, encoding="ascii") as lines:
        return [float(line.split()[1]) for line in lines if line.startswith(key)]


ticks = times(sys.argv[1], "tick_ms")
onsets = times(sys.argv[2], "onset_ms")
delays = []
for index, tick in enumerate(ticks):
    following = ticks[index + 1] if index + 1 < len(ticks) else float("inf")
    heard = [o for o in onsets if tick - SLACK_MS <= o < following - SLACK_MS]
    if heard:
        delays.append(heard[0] - tick)
if not delays:
    print("no sound was heard")
    sys.exit(1)
print(
    f"median {statistics.median_low(delays):.1f} ms (min {min(delays):.1f}, "
    f"max {max(delays):.1f}, {len(delays)} of {len(ticks)} ticks heard)"
)
