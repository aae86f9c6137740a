#!/usr/bin/python3
"""Scores estimated .lab files against the references the MIREX way: the
weighted chord symbol recall over all pieces of a condition (each piece
weighted by its duration), majmin and sevenths, as mir_eval computes them.

usage: score.py REFERENCE_DIR ESTIMATE_DIR [SUFFIX]
An estimate for reference NAME.lab is ESTIMATE_DIR/NAME<SUFFIX>.lab."""
import os
import sys

import mir_eval
import numpy


def wcsr(reference_dir, estimate_dir, suffix):
    totals = {"majmin": [0.0, 0.0], "sevenths": [0.0, 0.0]}
    for name in sorted(os.listdir(reference_dir)):
        ref_i, ref_l = mir_eval.io.load_labeled_intervals(os.path.join(reference_dir, name))
        est_path = os.path.join(estimate_dir, name[:-4] + suffix + ".lab")
        est_i, est_l = mir_eval.io.load_labeled_intervals(est_path)
        est_i, est_l = mir_eval.util.adjust_intervals(est_i, est_l, ref_i.min(), ref_i.max(),
                                                      mir_eval.chord.NO_CHORD, mir_eval.chord.NO_CHORD)
        intervals, ref, est = mir_eval.util.merge_labeled_intervals(ref_i, ref_l, est_i, est_l)
        durations = mir_eval.util.intervals_to_durations(intervals)
        for rule in totals:
            scores = getattr(mir_eval.chord, rule)(ref, est)
            counted = scores >= 0
            totals[rule][0] += numpy.sum(durations[counted] * scores[counted])
            totals[rule][1] += numpy.sum(durations[counted])
    return {rule: 100.0 * s / d for rule, (s, d) in totals.items()}


if __name__ == "__main__":
    result = wcsr(sys.argv[1], sys.argv[2], sys.argv[3] if len(sys.argv) > 3 else "")
    print(f"majmin {result['majmin']:.1f}  sevenths {result['sevenths']:.1f}")
