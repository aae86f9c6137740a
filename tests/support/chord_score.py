#!/usr/bin/python3
"""Scores estimated chord labs against reference labs with mir_eval: the MIREX
weighted chord symbol recall for root and triad quality (majmin) and for
sevenths, per piece and over all pieces (weighted by duration).

usage: chord_score.py REFERENCE.lab ESTIMATE.lab [REFERENCE.lab ESTIMATE.lab ...]
prints one line per pair, then "all majmin 0.9712 sevenths 0.9050"."""
import sys

import mir_eval
import numpy as np


def scores(reference_path, estimate_path):
    ref_intervals, ref_labels = mir_eval.io.load_labeled_intervals(reference_path)
    est_intervals, est_labels = mir_eval.io.load_labeled_intervals(estimate_path)
    est_intervals, est_labels = mir_eval.util.adjust_intervals(
        est_intervals, est_labels, ref_intervals.min(), ref_intervals.max(),
        mir_eval.chord.NO_CHORD, mir_eval.chord.NO_CHORD)
    intervals, ref, est = mir_eval.util.merge_labeled_intervals(ref_intervals, ref_labels, est_intervals, est_labels)
    durations = mir_eval.util.intervals_to_durations(intervals)
    result = {}
    for name, compare in (("majmin", mir_eval.chord.majmin), ("sevenths", mir_eval.chord.sevenths)):
        comparison = compare(ref, est)
        counted = comparison >= 0
        result[name] = (float(np.sum(durations[counted] * comparison[counted])), float(np.sum(durations[counted])))
    return result


def main(paths):
    if len(paths) < 2 or len(paths) % 2:
        sys.exit(__doc__)
    totals = {"majmin": [0.0, 0.0], "sevenths": [0.0, 0.0]}
    for reference, estimate in zip(paths[0::2], paths[1::2]):
        piece = scores(reference, estimate)
        line = [estimate]
        for name, (hit, counted) in piece.items():
            totals[name][0] += hit
            totals[name][1] += counted
            line.append("%s %.4f" % (name, hit / counted if counted else 1.0))
        print(" ".join(line))
    print("all " + " ".join("%s %.4f" % (name, hit / counted if counted else 1.0)
                            for name, (hit, counted) in totals.items()))


if __name__ == "__main__":
    main(sys.argv[1:])
