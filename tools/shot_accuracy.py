#!/usr/bin/env python3
# Accuracy of marrowick-cli detect and of FFmpeg's scdet filter on generated films with known cuts.
"""shot_accuracy.py MARROWICK_CLI WORKDIR [FILMS] [SEED]
shot_accuracy.py MARROWICK_CLI WORKDIR smooth [FILMS_PER_KIND] [SEED]
shot_accuracy.py MARROWICK_CLI WORKDIR real CORPUS_DIR

Generates FILMS (default 24) films of varied lavfi content joined by hard cuts, dissolves and
fades through black, with flashes and fast motion inside shots, then prints precision, recall and
F1 of the predicted transitions (a match within 2 frames) as 'metric:' lines. The built-in
scorer's constants were tuned on the default seed (2026); other seeds give held-out films.

With 'smooth', each film is two shots of smooth motion over a low-texture picture (a turning
hard edge between two flat colours, a pan across a gentle gradient, a zoom into a sky) joined by
one hard cut; it prints the cuts found inside the shots (all false) and the share of the joining
cuts found, per detector.

With 'real', it runs both detectors on the real-world films of CORPUS_DIR (scripts/fetch-media-corpus)
listed in tools/real_corpus_cuts.tsv and prints the false and missed cuts of each against those
cuts, a match again within 2 frames of decoded-frame index, and the films a detector could not read.
"""
import bisect
import json
import os
import random
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import film_recipes as fr  # noqa: E402

KINDS = ["testsrc2", "mandelbrot", "cellauto", "life", "gradients", "noise", "pan", "zoom"]
SIZE = "160x90"
TOLERANCE = 2
SCDET_THRESHOLD = 10


def recipe(rng):
    shots, transitions, kinds = [], [], []
    for i in range(rng.randint(4, 7)):
        kind = rng.choice([k for k in KINDS if not kinds or k != kinds[-1]])
        kinds.append(kind)
        hue = rng.choice([0, 0, 60, 120, 200, 300])
        shots.append((fr.source(kind, SIZE, rng.randint(0, 999), hue), rng.randint(40, 90)))
        if i:
            roll = rng.random()
            if roll < 0.6:
                transitions.append(("cut",))
            elif roll < 0.8:
                transitions.append(("dissolve", rng.randint(8, 24)))
            else:
                transitions.append(("fadeblack", rng.randint(10, 20)))
    return shots, transitions


def flashes_for(rng, length):
    return [(rng.randint(10, length - 10), rng.randint(1, 2)) for _ in range(rng.randint(0, 2))]


def detected(cli, path):
    out = subprocess.run([cli, "detect", path], check=True, capture_output=True, text=True).stdout
    return [round(float(line.split("\t")[0]) * fr.FPS) for line in out.splitlines()[1:]]


def detected_frames(cli, path):
    """Decoded-frame indexes of the shot starts after the first, or None when detection fails."""
    run = subprocess.run([cli, "detect", path, "--json"], capture_output=True, text=True)
    if run.returncode:
        return None
    found = json.loads(run.stdout)
    times = found["film"]["frameTimes"]
    return [bisect.bisect_left(times, shot["start"] - 1e-6) for shot in found["shots"][1:]]


def scdet(path):
    """Decoded-frame indexes of the frames scdet marks as the first of a new scene."""
    err = subprocess.run(["ffmpeg", "-nostdin", "-nostats", "-i", path, "-fps_mode", "passthrough", "-vf",
                          f"scdet=threshold={SCDET_THRESHOLD},metadata=mode=print:key=lavfi.scd.time",
                          "-f", "null", "-"], capture_output=True, text=True).stderr
    return [int(n) for n in re.findall(r"frame:(\d+) ", err)]


def match(predicted, truth):
    """Greedy one-to-one matching within the tolerance; returns the set of matched truth indexes."""
    matched, used = set(), set()
    for p in predicted:
        best = min((abs(p - t), i) for i, t in enumerate(truth) if i not in matched) if len(matched) < len(truth) else None
        if best and best[0] <= TOLERANCE:
            matched.add(best[1])
            used.add(p)
    return matched, len(predicted) - len(used)


def unmatched(predicted, truth):
    matched, _ = match(predicted, truth)
    taken = [truth[i] for i in matched]
    return [p for p in predicted if not any(abs(p - t) <= TOLERANCE for t in taken)]


def inside_gradual(frame, truth, transitions):
    """True when the frame lies within a gradual transition (the hard-cut figures leave it out)."""
    for t, transition in zip(truth, transitions):
        if transition[0] != "cut" and abs(frame - t) <= transition[1] // 2 + TOLERANCE:
            return True
    return False


def scores(tp, fp, fn):
    precision = tp / (tp + fp) if tp + fp else 1.0
    recall = tp / (tp + fn) if tp + fn else 1.0
    f1 = 2 * precision * recall / (precision + recall) if precision + recall else 0.0
    return precision, recall, f1


SMOOTH_KINDS = ["edge", "gradientpan", "skyzoom"]


def smooth_main(cli, work, per_kind, seed):
    rng = random.Random(seed)
    false_cuts = {"builtin": 0, "scdet": 0}
    found = {"builtin": 0, "scdet": 0}
    films = 0
    for kind in SMOOTH_KINDS:
        for n in range(per_kind):
            shots = [(fr.source(kind, SIZE, rng.randint(0, 99999)), rng.randint(90, 140)) for _ in range(2)]
            path = os.path.join(work, f"{kind}{n:02d}.mp4")
            truth = fr.render(path, shots)["cuts"]
            films += 1
            for name, predicted in (("builtin", detected(cli, path)), ("scdet", scdet(path))):
                matched, fp = match(predicted, truth)
                false_cuts[name] += fp
                found[name] += len(matched)
                if os.environ.get("SHOT_ACCURACY_VERBOSE"):
                    print(name, path, "truth", truth, "predicted", predicted, file=sys.stderr)
    for name in false_cuts:
        print(f"metric: shot_{name}_smooth_motion_false_cuts {false_cuts[name]} count")
        print(f"metric: shot_{name}_smooth_motion_cut_recall {found[name] / films:.3f} ratio")


def real_truth():
    """{file: [cut frame, ...]} from tools/real_corpus_cuts.tsv."""
    truth = {}
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "real_corpus_cuts.tsv")) as f:
        for line in f:
            if line.strip() and not line.startswith("#"):
                name, cuts, _ = line.rstrip("\n").split("\t")
                truth[name] = [] if cuts == "-" else [int(c) for c in cuts.split(",")]
    return truth


def real_main(cli, corpus):
    false_cuts = {"builtin": 0, "scdet": 0}
    missed = {"builtin": 0, "scdet": 0}
    failed = {"builtin": 0, "scdet": 0}
    for name, truth in sorted(real_truth().items()):
        path = os.path.join(corpus, name)
        if not os.path.exists(path):
            sys.exit(f"{path} is missing: fetch the corpus with scripts/fetch-media-corpus {corpus}")
        for detector, predicted in (("builtin", detected_frames(cli, path)), ("scdet", scdet(path))):
            if predicted is None:
                failed[detector] += 1
                print(detector, name, "could not be read", file=sys.stderr)
                continue
            matched, fp = match(predicted, truth)
            false_cuts[detector] += fp
            missed[detector] += len(truth) - len(matched)
            if os.environ.get("SHOT_ACCURACY_VERBOSE") or fp or len(matched) < len(truth):
                print(detector, name, "truth", truth, "predicted", predicted, file=sys.stderr)
    for detector in false_cuts:
        prefix = "" if detector == "builtin" else "scdet_"
        print(f"metric: {prefix}real_corpus_false_cuts {false_cuts[detector]} count")
        print(f"metric: {prefix}real_corpus_missed_cuts {missed[detector]} count")
        print(f"metric: {prefix}real_corpus_unreadable_films {failed[detector]} count")


def main(cli, work, count, seed):
    rng = random.Random(seed)
    totals = {name: {"all": [0, 0, 0], "cut": [0, 0, 0]} for name in ("builtin", "scdet")}
    for n in range(count):
        shots, transitions = recipe(rng)
        path = os.path.join(work, f"film{n:02d}.mp4")
        _, length, _ = fr.build_graph(shots, transitions)
        truth = fr.render(path, shots, transitions, flashes_for(rng, length))["cuts"]
        kinds = [t[0] for t in transitions]
        for name, predicted in (("builtin", detected(cli, path)), ("scdet", scdet(path))):
            matched, fp = match(predicted, truth)
            t = totals[name]
            t["all"][0] += len(matched)
            t["all"][1] += fp
            t["all"][2] += len(truth) - len(matched)
            cut_truth = {i for i, k in enumerate(kinds) if k == "cut"}
            t["cut"][0] += len(matched & cut_truth)
            t["cut"][1] += sum(1 for p in unmatched(predicted, truth) if not inside_gradual(p, truth, transitions))
            t["cut"][2] += len(cut_truth - matched)
            if os.environ.get("SHOT_ACCURACY_VERBOSE"):
                print(name, path, "truth", list(zip(truth, kinds)), "predicted", predicted, file=sys.stderr)
    for name, t in totals.items():
        for scope in ("cut", "all"):
            p, r, f = scores(*t[scope])
            label = "hard_cuts" if scope == "cut" else "all_transitions"
            print(f"metric: shot_{name}_{label}_precision {p:.3f} ratio")
            print(f"metric: shot_{name}_{label}_recall {r:.3f} ratio")
            print(f"metric: shot_{name}_{label}_f1 {f:.3f} ratio")


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    if len(sys.argv) > 4 and sys.argv[3] == "real":
        sys.exit(real_main(sys.argv[1], sys.argv[4]))
    if len(sys.argv) > 3 and sys.argv[3] == "smooth":
        sys.exit(smooth_main(sys.argv[1], sys.argv[2], int(sys.argv[4]) if len(sys.argv) > 4 else 4,
                             int(sys.argv[5]) if len(sys.argv) > 5 else 2026))
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]) if len(sys.argv) > 3 else 24,
         int(sys.argv[4]) if len(sys.argv) > 4 else 2026)
