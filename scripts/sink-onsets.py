#!/usr/bin/env python3
"""Reads raw 16-bit mono 44.1 kHz samples of the sound server's monitor from standard input
and prints, as milliseconds of the system clock, when each sound began: the first loud
sample after at least 0.2 s of silence. A sample's time is taken from when its chunk
arrived, less the samples that followed it in the chunk."""

import array
import sys
import time

RATE = 44100
LOUD = 1000  # of 32767
QUIET_RUN = RATE // 5

quiet = QUIET_RUN
stream = sys.stdin.buffer
while True:
    chunk = stream.read1(4096)
    if not chunk:
        break
    arrived = time.time()
    samples = array.array("h", chunk[: len(chunk) // 2 * 2])
    for index, value in enumerate(samples):
        if abs(value) >= LOUD:
            if quiet >= QUIET_RUN:
                began = arrived - (len(samples) - index) / RATE
                print(f"onset_ms {began * 1000:.1f}", flush=True)
            quiet = 0
        else:
            quiet += 1
