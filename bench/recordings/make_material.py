#!/usr/bin/python3
"""Makes the accuracy benchmark's audio in OUT_DIR: every chart arranged,
written as MIDI, rendered through FluidSynth with each soundfont, and
degraded with sox; beside each piece its reference .lab.

usage: make_material.py OUT_DIR
Writes OUT_DIR/<condition>/<piece>-<font>.{wav,mp3} for the conditions clean,
detuned (a third of a semitone sharp), noise (white noise at 20 dB SNR) and
mp3 (128 kbit/s), and OUT_DIR/reference/<piece>-<font>.lab."""
import os
import subprocess
import sys
import wave

import numpy

import arrange
import charts
import midi_file

FONTS = {"timgm": "/usr/share/sounds/sf2/TimGM6mb.sf2", "fluidr3": "/usr/share/sounds/sf2/FluidR3_GM.sf2"}
LEAD_IN_BEATS = 2


def write_reference(path, tempo, beats, chords, end):
    seconds = 60.0 / tempo
    with open(path, "w") as f:
        start = LEAD_IN_BEATS * seconds
        f.write(f"0.000\t{start:.3f}\tN\n")
        for index, label in enumerate(chords):
            f.write(f"{start + index * beats * seconds:.3f}\t{start + (index + 1) * beats * seconds:.3f}\t{label}\n")
        f.write(f"{start + len(chords) * beats * seconds:.3f}\t{end:.3f}\tN\n")


def add_noise(source, target, snr_db, seed):
    with wave.open(source) as w:
        params = w.getparams()
        samples = numpy.frombuffer(w.readframes(params.nframes), dtype=numpy.int16).astype(numpy.float64)
    rms = numpy.sqrt(numpy.mean(samples ** 2))
    noise = numpy.random.default_rng(seed).normal(0.0, rms / 10 ** (snr_db / 20), samples.shape)
    mixed = numpy.clip(samples + noise, -32768, 32767).astype(numpy.int16)
    with wave.open(target, "wb") as w:
        w.setparams(params)
        w.writeframes(mixed.tobytes())


def duration_of(path):
    with wave.open(path) as w:
        return w.getnframes() / w.getframerate()


def main(out):
    for condition in ("clean", "detuned", "noise", "mp3", "reference", "midi"):
        os.makedirs(os.path.join(out, condition), exist_ok=True)
    for seed, (name, tempo, beats, chart) in enumerate(charts.CHARTS):
        chords = chart.split()
        parts = arrange.arrange(chords, beats, seed)
        shifted = [(c, p, [(s + LEAD_IN_BEATS, l, k, v) for s, l, k, v in notes]) for c, p, notes in parts]
        mid = os.path.join(out, "midi", name + ".mid")
        midi_file.write(mid, tempo, shifted)
        for font, sf2 in FONTS.items():
            piece = f"{name}-{font}"
            clean = os.path.join(out, "clean", piece + ".wav")
            subprocess.run(["fluidsynth", "-ni", "-q", "-g", "0.5", "-F", clean, "-r", "44100", sf2, mid],
                           check=True, stdout=subprocess.DEVNULL)
            write_reference(os.path.join(out, "reference", piece + ".lab"), tempo, beats, chords, duration_of(clean))
            subprocess.run(["sox", clean, os.path.join(out, "detuned", piece + ".wav"), "pitch", "33.3"], check=True)
            add_noise(clean, os.path.join(out, "noise", piece + ".wav"), 20, seed)
            subprocess.run(["sox", clean, "-C", "128", os.path.join(out, "mp3", piece + ".mp3")], check=True)


if __name__ == "__main__":
    main(sys.argv[1])
