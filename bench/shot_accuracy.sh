#!/usr/bin/env bash
# Precision, recall and F1 of the built-in shot scorer and of FFmpeg's scdet on generated films:
# the 24 films the scorer was tuned on, then 24 held-out films, then smooth motion over
# low-texture pictures (5 films of each kind, where any cut inside a shot is false), then the
# real-world films of the media corpus.
set -euo pipefail
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tools/shot_accuracy.py "$build/src/app/marrowick-cli" "$work" 24 2026
tools/shot_accuracy.py "$build/src/app/marrowick-cli" "$work" 24 7 | sed 's/metric: shot_/metric: heldout_shot_/'
tools/shot_accuracy.py "$build/src/app/marrowick-cli" "$work" smooth 5 11
# The real-world films of scripts/fetch-media-corpus against tools/real_corpus_cuts.tsv, when fetched.
corpus=${MARROWICK_MEDIA_CORPUS:-$build/media-corpus}
if [ -d "$corpus" ]; then
    tools/shot_accuracy.py "$build/src/app/marrowick-cli" "$work" real "$corpus"
else
    echo "No media corpus in $corpus (scripts/fetch-media-corpus $corpus): real-film figures left out." >&2
fi
