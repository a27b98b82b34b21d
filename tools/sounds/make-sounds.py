#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Synthesises the movies' sound effects into modules/common/sounds/.

Every effect is made here from sine partials with soft attacks and exponential decays:
no recorded samples. Mono, 16-bit, 22050 Hz; each effect peaks at -14 dBFS (the tick of
the last seconds, which repeats, at -20 dBFS) so that the games are pleasant at low
volume. Run from the repository root:

    python3 tools/sounds/make-sounds.py

The output is deterministic (no randomness), so running it again changes no file.
"""
import math
import os
import struct
import sys
import wave

RATE = 22050
PEAK_DB = -14
QUIET = {"tick": -20}  # effects that peak lower than PEAK_DB


def tone(freq, length, decay, partials=((1, 1.0),), attack=0.004, glide=0.0):
    """One note: summed partials (multiple, weight), a short linear attack and an
    exponential decay (`decay` seconds to fall to 1/e). `glide` bends the pitch by that
    many semitones over the note."""
    n = int(RATE * length)
    out = []
    phase = [0.0] * len(partials)
    for i in range(n):
        t = i / RATE
        f = freq * 2 ** (glide * t / length / 12)
        env = min(1.0, t / attack) * math.exp(-t / decay)
        # A short fade at the very end so that no note clicks when it stops.
        env *= min(1.0, (n - i) / (0.004 * RATE))
        s = 0.0
        for k, (mult, weight) in enumerate(partials):
            phase[k] += 2 * math.pi * f * mult / RATE
            s += weight * math.sin(phase[k])
        out.append(s * env)
    return out


def mix(length, notes):
    """Places notes (start in seconds, samples) on one track of `length` seconds."""
    track = [0.0] * int(RATE * length)
    for start, samples in notes:
        at = int(start * RATE)
        for i, s in enumerate(samples):
            if at + i < len(track):
                track[at + i] += s
    return track


def note(name):
    """Frequency of a note such as "C5" or "E4" (equal temperament, A4 = 440 Hz)."""
    steps = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    semis = steps[name[0]] + (1 if "#" in name else 0) - (1 if "b" in name[1:] else 0)
    octave = int(name[-1])
    return 440.0 * 2 ** ((semis + 12 * (octave - 4)) / 12)


BELL = ((1, 1.0), (2, 0.35), (3, 0.12), (4.2, 0.05))
SOFT = ((1, 1.0), (2, 0.2))
WOOD = ((1, 1.0), (2.76, 0.3), (5.4, 0.08))


def arpeggio(names, gap, each, decay, partials=BELL, tail=0.3):
    length = gap * (len(names) - 1) + each + tail
    return mix(length, [(i * gap, tone(note(n), each, decay, partials)) for i, n in enumerate(names)])


EFFECTS = {
    # A piece set down: a soft wooden knock.
    "lay": lambda: tone(196, 0.09, 0.025, WOOD, attack=0.002),
    # A piece turned: a light, short tap.
    "turn": lambda: tone(note("E5"), 0.05, 0.012, WOOD, attack=0.001),
    # Something picked up or chosen: a small rising blip.
    "select": lambda: tone(note("A5"), 0.07, 0.03, SOFT, glide=2),
    # A line, group or pair cleared: two quick bright notes.
    "clear": lambda: arpeggio(["E5", "B5"], 0.06, 0.12, 0.06, tail=0.05),
    # A move that is not allowed: a low, gentle falling pair, never a buzzer.
    "invalid": lambda: mix(0.24, [(0, tone(note("E3"), 0.11, 0.05, SOFT, glide=-1)),
                                   (0.1, tone(note("C3"), 0.14, 0.06, SOFT, glide=-1))]),
    # One of the last seconds: a very short, quiet click.
    "tick": lambda: tone(1320, 0.03, 0.006, SOFT, attack=0.001),
    # A game won: a major arpeggio that rings out.
    "win": lambda: arpeggio(["C5", "E5", "G5", "C6"], 0.11, 0.45, 0.22, tail=0.35),
    # A game lost: a slow falling minor third, soft.
    "lose": lambda: arpeggio(["G4", "Eb4", "C4"], 0.18, 0.45, 0.2, SOFT, tail=0.3),
    # A level or round reached: a quick run up.
    "levelup": lambda: arpeggio(["G4", "C5", "E5", "G5", "C6"], 0.05, 0.16, 0.08, tail=0.15),
}


def write(path, samples, peak_db):
    top = max(abs(s) for s in samples) or 1.0
    scale = 10 ** (peak_db / 20) / top * 32767
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(round(s * scale))) for s in samples))


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "modules", "common", "sounds")
    os.makedirs(folder, exist_ok=True)
    for name, make in EFFECTS.items():
        samples = make()
        write(os.path.join(folder, name + ".wav"), samples, QUIET.get(name, PEAK_DB))
        print(f"{name}.wav  {len(samples) / RATE * 1000:.0f} ms")


if __name__ == "__main__":
    main()
