#!/usr/bin/env python3
"""Make the About page's built-in sound, resources/about.wav.

The sound is a five-second jingle synthesized here from nothing but arithmetic:
a rising C-major arpeggio, an answering phrase that falls back, and a closing
C-major chord that rings out.  Every note is a small bell: a sine with two
quieter harmonics, a quick attack and an exponential decay.  Under the tune a
soft bass (C, F, G, C) holds the sound together, so that it never drops into
silence before its end.  The mix is scaled to a fixed peak and rounded to
16-bit samples at 8,000 per second, mono.

The samples are then compressed as Microsoft ADPCM (format tag 2), 4 bits a
sample, in blocks of 256 bytes (500 samples).  The encoder is this script's
own, written from the public description of the format: each block starts
with a predictor index, the initial step size and two plain samples; every
further sample is predicted from the two before it with the block's
coefficient pair, and the difference is sent as a signed 4-bit multiple of the
step, which then adapts by the format's table.  For each block the encoder
tries all seven coefficient pairs and keeps the one with the smallest error.

The file holds the format chunk (with the seven standard coefficient pairs), a
"fact" chunk with the sample count, the data, and a short information list.
The same script always gives the same bytes.

Usage:  python3 resources/art/make_wave.py
"""

import math
import os
import struct
import sys

RATE = 8000
SAMPLES = 40544  # 81 whole blocks and one of 44 samples: about 5.07 s
BLOCK_ALIGN = 256
SAMPLES_PER_BLOCK = (BLOCK_ALIGN - 7) * 2 + 2  # 500
FILE_SIZE = 20916  # what the program's About page carries

COEFFICIENTS = [(256, 0), (512, -256), (0, 0), (192, 64), (240, 0), (460, -208), (392, -232)]
ADAPTATION = [230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230]

BEAT = 0.18  # seconds per eighth note

# The tune: (start in eighths, MIDI note, length in eighths).
MELODY = [
    (0, 67, 1), (1, 72, 1), (2, 76, 1), (3, 79, 2), (5, 76, 1), (6, 79, 1), (7, 84, 3),
    (11, 81, 1), (12, 79, 1), (13, 76, 1), (14, 74, 2), (16, 76, 1), (17, 74, 1), (18, 72, 2),
]
CHORD_AT = 20  # the closing chord, in eighths
CHORD = [60, 64, 67, 72]
BASS = [(0, 48, 11), (11, 53, 5), (16, 55, 4), (20, 48, 8)]
END = 4.98  # seconds: everything has faded by then


def frequency(note):
    return 440.0 * 2 ** ((note - 69) / 12)


def bell(t, note, length, decay):
    """One bell note at time t after its start, `length` seconds long."""
    if t < 0 or t >= length:
        return 0.0
    f = frequency(note)
    attack = min(1.0, t / 0.008)
    release = min(1.0, (length - t) / 0.03)
    body = (math.sin(2 * math.pi * f * t) + 0.35 * math.sin(4 * math.pi * f * t)
            + 0.12 * math.sin(6 * math.pi * f * t))
    return attack * release * math.exp(-t / decay) * body


def bass(t, note, length):
    """A soft bass note that swells in and out, so that neighbours overlap smoothly."""
    if t < -0.05 or t >= length + 0.05:
        return 0.0
    swell = min(1.0, (t + 0.05) / 0.1, (length + 0.05 - t) / 0.1)
    f = frequency(note)
    return swell * (math.sin(2 * math.pi * f * t) + 0.2 * math.sin(4 * math.pi * f * t))


def mix(t):
    value = 0.0
    for start, note, eighths in MELODY:
        # A note rings on a little past its written end, under the next one.
        value += bell(t - start * BEAT, note, (eighths + 1.5) * BEAT, 0.45)
    chord_start = CHORD_AT * BEAT
    for voice, note in enumerate(CHORD):
        spread = voice * 0.03  # struck from the bottom up
        value += 0.6 * bell(t - chord_start - spread, note, END - chord_start - spread, 0.7)
    for start, note, eighths in BASS:
        value += 0.25 * bass(t - start * BEAT, note, eighths * BEAT)
    fade_out = min(1.0, max(0.0, (END - t) / 0.4))
    return value * fade_out


def synthesize():
    raw = [mix(n / RATE) for n in range(SAMPLES)]
    scale = 0.8 * 32767 / max(abs(v) for v in raw)
    return [max(-32768, min(32767, round(v * scale))) for v in raw]


def clamp16(value):
    return max(-32768, min(32767, value))


def predict(s1, s2, c1, c2):
    """The prediction as the format defines it: a division by 256 that cuts toward zero."""
    total = s1 * c1 + s2 * c2
    return total // 256 if total >= 0 else -(-total // 256)


def encode_block_with(samples, predictor):
    """Encode one block with one coefficient pair; returns (squared error, bytes)."""
    c1, c2 = COEFFICIENTS[predictor]
    s2, s1 = samples[0], samples[1]
    # Start with a step that suits the first differences the block has to send.
    first = [abs(samples[i] - predict(s1, s2, c1, c2)) for i in range(2, min(4, len(samples)))]
    delta = max(16, (sum(first) // max(1, len(first))) // 4)
    header = struct.pack("<Bhhh", predictor, delta, s1, s2)
    nibbles = []
    error = 0
    for sample in samples[2:]:
        predicted = predict(s1, s2, c1, c2)
        code = max(-8, min(7, round((sample - predicted) / delta)))
        decoded = clamp16(predicted + code * delta)
        error += (decoded - sample) ** 2
        nibbles.append(code & 0xF)
        s2, s1 = s1, decoded
        delta = max(16, (ADAPTATION[code & 0xF] * delta) >> 8)
    body = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(nibbles), 2))
    return error, header + body


def encode(samples):
    data = bytearray()
    for at in range(0, len(samples), SAMPLES_PER_BLOCK):
        block = samples[at:at + SAMPLES_PER_BLOCK]
        if len(block) % 2 != 0:
            raise ValueError("a block needs an even number of samples")
        data += min((encode_block_with(block, p) for p in range(len(COEFFICIENTS))),
                    key=lambda tried: tried[0])[1]
    return bytes(data)


def chunk(name, body):
    padded = body + (b"\0" if len(body) % 2 else b"")
    return name + struct.pack("<I", len(body)) + padded


def wave_file(data):
    fmt = struct.pack("<HHIIHHHHH", 2, 1, RATE, RATE * BLOCK_ALIGN // SAMPLES_PER_BLOCK,
                      BLOCK_ALIGN, 4, 32, SAMPLES_PER_BLOCK, len(COEFFICIENTS))
    fmt += b"".join(struct.pack("<hh", a, b) for a, b in COEFFICIENTS)
    info = b"INFO" + chunk(b"INAM", b"About Wumpex!\0") + chunk(b"ICMT", b"Synthesized jingle.\0")
    body = (b"WAVE" + chunk(b"fmt ", fmt) + chunk(b"fact", struct.pack("<I", SAMPLES))
            + chunk(b"data", data) + chunk(b"LIST", info))
    return chunk(b"RIFF", body)


def main():
    image = wave_file(encode(synthesize()))
    if len(image) != FILE_SIZE:
        sys.exit("make_wave.py: made %d bytes, not %d" % (len(image), FILE_SIZE))
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "about.wav")
    with open(target, "wb") as f:
        f.write(image)


if __name__ == "__main__":
    main()
