#!/usr/bin/env bash
# marrowick-cli labelled: a Marrowick-video- folder with the package and one movie per film; the
# exact message, status 1 and nothing written for an unreviewed project; the package kept and no
# movie when a film is missing.
set -euo pipefail
cli=$1
films=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# PROJECT FILM_PATH SECOND_SHOT_DECISION: labels.mp4's raster, two shots.
project() {
  printf '{"schema":1,"name":"Reel","films":[{"id":"0B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E","path":"%s","duration":3,"fps":25,"width":640,"height":360,"detector":"test"}],"shots":[{"id":"1B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E","filmID":"0B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E","start":0,"end":1,"boundaryScore":1,"disclosure":"generated","note":"","category":"","group":0,"assistantNote":""},{"id":"3B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E","filmID":"0B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E","start":1,"end":3,"boundaryScore":1,"disclosure":"%s","note":"","category":"","group":0,"assistantNote":""}],"history":[],"threshold":0.5,"groupingThreshold":0.35,"artisticWork":false,"workDisclosure":"AI","labelWidth":0.18,"corner":"Bottom right","id":"2B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E"}' "$1" "$2"
}

project "$films/labels.mp4" none >"$work/reviewed.marrowick"
mkdir "$work/out"
folder=$("$cli" labelled "$work/reviewed.marrowick" "$work/out" 2>"$work/err")
[[ "$(basename "$folder")" =~ ^Marrowick-video-[0-9A-F]{8}$ ]]
[ "$(dirname "$folder")" = "$work/out" ]
[ "$(ls "$folder" | tr '\n' ' ')" = "1-labels-labelled.mov EU_generated_white.png EU_modified_white.png disclosure-record.txt review.marrowick shot-review.csv " ]
grep -q "Exporting labels.mp4 1/1 100%" "$work/err"
[ "$(ffprobe -v error -show_entries stream=codec_name -of csv=p=0 "$folder/1-labels-labelled.mov" | tr '\n' ' ')" = "h264 aac " ]

project "$films/labels.mp4" unreviewed >"$work/unreviewed.marrowick"
mkdir "$work/none"
status=0
"$cli" labelled "$work/unreviewed.marrowick" "$work/none" >"$work/stdout" 2>"$work/err" || status=$?
[ "$status" -eq 1 ]
[ ! -s "$work/stdout" ]
[ -z "$(ls "$work/none")" ]
printf 'Review every shot before exporting labelled videos.\n' | cmp - "$work/err"

project "$work/gone.mp4" none >"$work/missing.marrowick"
mkdir "$work/missing"
status=0
"$cli" labelled "$work/missing.marrowick" "$work/missing" >/dev/null 2>"$work/err" || status=$?
[ "$status" -eq 1 ]
printf 'gone.mp4: No such file or directory\n' | cmp - "$work/err"
[ "$(ls "$work"/missing/Marrowick-video-* | tr '\n' ' ')" = "EU_generated_white.png EU_modified_white.png disclosure-record.txt review.marrowick shot-review.csv " ]
echo "cli labelled: ok"
