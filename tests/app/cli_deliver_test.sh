#!/usr/bin/env bash
# marrowick-cli deliver: a new delivery folder with outputs, side files and summary; errors with status 1.
set -euo pipefail
cli=$1
films=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$(dirname "$0")/project_fixture.sh"
cp "$films/delivery-rec709.mov" "$work/Spot A.mov"
# The fixture's film, pointed at the copy: one second of 160x90 at 25 fps.
project_of() {
  project 1 "$1" | sed -e "s#\"/f.mov\"#\"$work/Spot A.mov\"#" -e 's#"duration":2#"duration":1#' \
    -e 's#"width":1920,"height":1080#"width":160,"height":90#' -e 's#"end":2#"end":1#'
}
project_of generated >"$work/review.marrowick"
mkdir "$work/out"

"$cli" deliver "$work/review.marrowick" "$work/out" --preset master:prores_422 web_h264_1080p \
  >"$work/stdout" 2>"$work/stderr"
folder=$(cat "$work/stdout")
[ "$(dirname "$folder")" = "$work/out" ]
[[ "$(basename "$folder")" =~ ^Marrowick-delivery-[0-9A-F]{8}$ ]]
[ -f "$folder/1-Spot_A_web.mp4" ] && [ -f "$folder/2-Spot_A_prores_422.mov" ]
[ -f "$folder/2-Spot_A_prores_422.ffprobe.json" ] && [ -f "$folder/review.marrowick" ]
[ "$(wc -l <"$folder/delivery-summary.txt")" = 1 ]
head -n 1 "$folder/delivery-summary.txt" | grep -q '^1-Spot_A_web.mp4 — Web H.264 1080p (MP4) — 160x90 — $'
head -n 1 "$work/stderr" | grep -qx 'Checking all delivery targets…'
tail -n 1 "$work/stderr" | grep -qx 'ProRes 422 master · Spot A.mov 100%'

expect_failure() {  # expect_failure STATUS MESSAGE ARGS...
  local status=0 want=$1 message=$2
  shift 2
  "$cli" deliver "$@" >"$work/stdout" 2>"$work/err" || status=$?
  [ "$status" -eq "$want" ] && [ ! -s "$work/stdout" ]
  [ -z "$message" ] || printf '%s\n' "$message" | cmp - "$work/err"
}
mkdir "$work/empty"
expect_failure 1 'Unknown delivery preset "youtube_4k".' \
  "$work/review.marrowick" "$work/empty" --preset web_h264_1080p youtube_4k
expect_failure 64 "" "$work/review.marrowick" "$work/empty" --preset
expect_failure 64 "" "$work/review.marrowick" --preset web_h264_1080p
expect_failure 1 "Invalid canvas mode." "$work/review.marrowick" "$work/empty" --preset web_h264_1080p --framing wide
project_of unreviewed >"$work/open.marrowick"
expect_failure 1 "Review every shot before exporting labelled videos." \
  "$work/open.marrowick" "$work/empty" --preset web_h264_1080p --assume-rec709 --framing crop
[ -z "$(ls "$work/empty")" ]
echo "cli deliver: ok"
