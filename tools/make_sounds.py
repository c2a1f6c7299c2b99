#!/usr/bin/env python3
"""Makes the program's sounds: 16-bit mono PCM WAV files, 22050 Hz.

Usage: make_sounds.py OUTPUT_FOLDER
Writes OUTPUT_FOLDER/novo.wav (new note), OUTPUT_FOLDER/excluir.wav (note deleted) and
OUTPUT_FOLDER/Alarme/Alarm08.wav (alarm). Every tone is shaped by an envelope that starts and
ends at zero, so no file clicks at its start, its end or between notes.
"""
import math
import os
import struct
import sys
import wave

RATE = 22050


def envelope(i, count, attack, release):
    """Amplitude factor 0..1: a raised-cosine attack and release around a flat middle."""
    a = max(1, int(attack * RATE))
    r = max(1, int(release * RATE))
    if i < a:
        return 0.5 - 0.5 * math.cos(math.pi * i / a)
    if i >= count - r:
        k = count - 1 - i
        return max(0.0, 0.5 - 0.5 * math.cos(math.pi * k / r))
    return 1.0


def bell(freq, seconds, attack=0.006, decay=6.0):
    """A soft bell: the fundamental with two quiet overtones, dying away exponentially."""
    count = int(seconds * RATE)
    out = []
    for i in range(count):
        t = i / RATE
        tone = (math.sin(2 * math.pi * freq * t)
                + 0.35 * math.sin(2 * math.pi * freq * 2 * t) * math.exp(-t * 4)
                + 0.12 * math.sin(2 * math.pi * freq * 3 * t) * math.exp(-t * 8))
        out.append(tone / 1.47 * math.exp(-t * decay) * envelope(i, count, attack, 0.02))
    return out


def glide(start_freq, end_freq, seconds):
    """A falling tone with a breath of filtered noise: a soft "whoosh"."""
    count = int(seconds * RATE)
    out = []
    phase = 0.0
    seed = 12345
    noise = 0.0
    for i in range(count):
        progress = i / count
        freq = start_freq * (end_freq / start_freq) ** progress
        phase += 2 * math.pi * freq / RATE
        # A small linear-congruential generator keeps the file the same on every build.
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        white = seed / 0x3FFFFFFF - 1.0
        noise += 0.08 * (white - noise)  # one-pole low-pass: a soft hiss, not a crackle
        sample = 0.75 * math.sin(phase) + 0.9 * noise
        out.append(sample * envelope(i, count, 0.03, 0.12))
    return out


def mix(length_seconds, parts):
    """Sums (start second, samples) parts into one track of the given length."""
    track = [0.0] * int(length_seconds * RATE)
    for start, samples in parts:
        offset = int(start * RATE)
        for i, value in enumerate(samples):
            if offset + i < len(track):
                track[offset + i] += value
    return track


def write_wav(path, samples, volume):
    peak = max(1e-9, max(abs(s) for s in samples))
    scale = volume * 32767 / peak
    frames = b"".join(struct.pack("<h", int(round(s * scale))) for s in samples)
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def new_note():
    # Rising fifth, C6 then G6: "something appeared".
    return mix(0.32, [(0.0, bell(1046.5, 0.16, decay=10)), (0.09, bell(1568.0, 0.23, decay=9))])


def delete_note():
    # Falling fourth over a short whoosh: "something went away".
    return mix(0.32, [(0.0, glide(900.0, 260.0, 0.30)),
                      (0.0, [0.6 * s for s in bell(880.0, 0.15, decay=12)]),
                      (0.10, [0.6 * s for s in bell(659.3, 0.21, decay=10)])])


def alarm():
    # Three bursts of a two-tone bell, each burst four quick strikes, then a pause.
    parts = []
    for burst in range(3):
        base = burst * 0.68
        for strike in range(4):
            freq = 1318.5 if strike % 2 == 0 else 1046.5
            parts.append((base + strike * 0.11, bell(freq, 0.22, decay=14)))
    return mix(2.05, parts)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_sounds.py OUTPUT_FOLDER")
    folder = sys.argv[1]
    write_wav(os.path.join(folder, "novo.wav"), new_note(), 0.55)
    write_wav(os.path.join(folder, "excluir.wav"), delete_note(), 0.55)
    write_wav(os.path.join(folder, "Alarme", "Alarm08.wav"), alarm(), 0.7)


if __name__ == "__main__":
    main()
