#!/usr/bin/env bash
# Fills DIR with the downloaded corpus films: from the folder MARROWICK_MEDIA_CORPUS names (a filled
# cache, for machines without the network), else with scripts/fetch-media-corpus.
#
#   fill_media_corpus.sh SCRIPTS DIR
set -euo pipefail
scripts=$1
out=$2
if [ -n "${MARROWICK_MEDIA_CORPUS:-}" ]; then
  [ -d "$MARROWICK_MEDIA_CORPUS" ] || { echo "MARROWICK_MEDIA_CORPUS: no folder $MARROWICK_MEDIA_CORPUS" >&2; exit 1; }
  mkdir -p "$out"
  cp -a "$MARROWICK_MEDIA_CORPUS"/. "$out"/
  exit 0
fi
exec "$scripts/fetch-media-corpus" "$out"
