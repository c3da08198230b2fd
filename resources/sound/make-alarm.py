#!/usr/bin/env python3
"""Synthesises the default alarm chime as a 16-bit mono WAV (44100 Hz).

Three soft bell strokes rising E5, G5, C6, 0.28 s apart, each with a few inharmonic
partials that fade faster the higher they are. Encode the result with
`lame -V4 alarm.wav alarm.mp3`; the MP3 is committed so the build needs no encoder.
"""
import math
import struct
import sys
import wave

RATE = 44100
LENGTH_S = 2.4
# (ratio to the fundamental, amplitude, decay time constant in s)
PARTIALS = [(1.0, 1.0, 0.9), (2.0, 0.45, 0.5), (2.76, 0.25, 0.35), (5.4, 0.12, 0.18),
            (8.93, 0.05, 0.1)]
STROKES = [(659.25, 0.00, 0.8), (783.99, 0.28, 0.7), (1046.50, 0.56, 0.75)]  # Hz, start s, gain
ATTACK_S = 0.004  # avoids a click at each stroke


def sample(t):
    v = 0.0
    for freq, start, gain in STROKES:
        dt = t - start
        if dt < 0:
            continue
        env = min(1.0, dt / ATTACK_S)
        for ratio, amp, tau in PARTIALS:
            v += gain * amp * env * math.exp(-dt / tau) * math.sin(2 * math.pi * freq * ratio * dt)
    return v


def main(path):
    n = int(RATE * LENGTH_S)
    raw = [sample(i / RATE) for i in range(n)]
    # Fade the last 0.2 s to exact silence, then scale to a -3 dBFS peak.
    fade = int(0.2 * RATE)
    for i in range(fade):
        raw[n - fade + i] *= 1.0 - i / fade
    peak = max(abs(x) for x in raw)
    scale = 0.708 * 32767 / peak
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(round(x * scale))) for x in raw))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "alarm.wav")
