"""Arranges a chord chart as a small band would play it: a bass line on the
chord's bass and fifth, piano comping or arpeggios in the middle register,
a string pad, a melody from the chord's notes with passing notes, and drums.
Deterministic: each piece has its own random seed."""
import random

PC = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
QUALITY = {"maj": [0, 4, 7], "min": [0, 3, 7], "7": [0, 4, 7, 10], "maj7": [0, 4, 7, 11],
           "min7": [0, 3, 7, 10], "hdim7": [0, 3, 6, 10], "dim": [0, 3, 6], "sus4": [0, 5, 7]}
DEGREE = {"1": 0, "b3": 3, "3": 4, "5": 7, "b7": 10, "7": 11}
SCALE_STEPS = [0, 2, 4, 5, 7, 9, 11]


def parse(label):
    root, rest = label.split(":")
    quality, _, bass = rest.partition("/")
    pc = (PC[root[0]] + root[1:].count("#") - root[1:].count("b")) % 12
    return pc, QUALITY[quality], (pc + DEGREE[bass or "1"]) % 12


def near(pc, low):
    """The key of pitch class pc at or above `low`."""
    return low + (pc - low) % 12


def arrange(chords, beats, seed):
    rng = random.Random(seed)
    bass, piano, pad, melody, drums = [], [], [], [], []
    style = rng.choice(["block", "arpeggio"])
    last_melody = 72
    for index, label in enumerate(chords):
        start = index * beats
        root, intervals, bass_pc = parse(label)
        pcs = [(root + i) % 12 for i in intervals]
        # Bass: the chord's bass on the downbeat, then the fifth or the bass again.
        low = near(bass_pc, 36)
        for beat in range(beats):
            key = low if beat % 2 == 0 or beats == 3 else near((root + 7) % 12, 36)
            bass.append((start + beat, 0.9, key, 92))
        # Pad: the chord held, close voiced from about F3.
        voicing = sorted(near(pc, 53) for pc in pcs)
        for key in voicing:
            pad.append((start, beats - 0.05, key, 58))
        # Piano: block chords on the beats or an arpeggio in eighths.
        keys = sorted(near(pc, 60) for pc in pcs)
        if style == "block":
            for beat in range(beats):
                for key in keys:
                    piano.append((start + beat, 0.45, key, 70 if beat else 84))
        else:
            pattern = keys + keys[1:-1][::-1]
            for eighth in range(2 * beats):
                piano.append((start + eighth / 2, 0.5, pattern[eighth % len(pattern)], 72))
        # Melody: mostly chord notes on the beats, a scale step between some.
        for beat in range(beats):
            targets = [near(pc, 67) for pc in pcs] + [near(pc, 67) + 12 for pc in pcs]
            key = min(targets, key=lambda k: abs(k - last_melody) + rng.random() * 4)
            melody.append((start + beat, 0.55, key, 80))
            if rng.random() < 0.4:
                step = key + rng.choice([-2, -1, 1, 2])
                if (step - root) % 12 in SCALE_STEPS or rng.random() < 0.3:
                    melody.append((start + beat + 0.5, 0.45, step, 70))
            last_melody = key
        # Drums: kick on 1 (and 3), snare on 2 and 4, closed hi-hat in eighths.
        for beat in range(beats):
            if beat == 0 or (beats == 4 and beat == 2):
                drums.append((start + beat, 0.2, 36, 100))
            if beats == 4 and beat in (1, 3):
                drums.append((start + beat, 0.2, 38, 90))
            drums.append((start + beat, 0.1, 42, 60))
            drums.append((start + beat + 0.5, 0.1, 42, 45))
    return [(0, 33, bass), (1, rng.choice([0, 4]), piano), (2, rng.choice([48, 49, 89]), pad),
            (3, rng.choice([73, 65, 56]), melody), (9, 0, drums)]
