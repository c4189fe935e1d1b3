#!/usr/bin/env bash
# Labelled display copy of a 60 s 1080p25 film (marrowick-cli labelled) against a plain FFmpeg
# re-encode with the same codec settings in the same run, and peak memory of the export of a
# 1-minute and a 10-minute film (bounded memory shows as equal figures).
set -euo pipefail
build=${1:-build}
cli="$build/src/app/marrowick-cli"
export MARROWICK_RESOURCES=${MARROWICK_RESOURCES:-resources}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

times_of() {  # runs a command, prints its wall-clock and its CPU (user + system) seconds
    /usr/bin/time -f "%e %U %S" "$@" 2>&1 >/dev/null | tail -n 1 | awk '{ print $1, $2 + $3 }'
}

# project FILM SECONDS WIDTH HEIGHT: 6 s shots cycling generated, none, modified, every one reviewed.
project() {
    python3 - "$@" <<'PY'
import json, sys, uuid
film, seconds, width, height = sys.argv[1], float(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
film_id = str(uuid.uuid4()).upper()
decisions = ["generated", "none", "modified"]
shots, start, i = [], 0.0, 0
while start < seconds:
    end = min(start + 6, seconds)
    shots.append({"id": str(uuid.uuid4()).upper(), "filmID": film_id, "start": start, "end": end,
                  "boundaryScore": 1, "disclosure": decisions[i % 3], "note": "", "category": "", "group": 0,
                  "assistantNote": ""})
    start, i = end, i + 1
print(json.dumps({"schema": 1, "name": "Bench", "films": [{"id": film_id, "path": film, "duration": seconds,
      "fps": 25, "width": width, "height": height, "detector": "bench"}], "shots": shots, "history": [],
      "threshold": 0.5, "groupingThreshold": 0.35, "artisticWork": False, "workDisclosure": "",
      "labelWidth": 0.18, "corner": "Bottom right", "id": str(uuid.uuid4()).upper()}))
PY
}

# 60 s of 1080p25 H.264 with a hue change every 8 s and AAC sound.
ffmpeg -nostdin -v error -f lavfi -i "testsrc2=s=1920x1080:r=25" -f lavfi -i "sine=frequency=440" \
    -vf "hue=h='360*floor(t/8)/8'" -t 60 -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac "$work/hd.mp4"
project "$work/hd.mp4" 60 1920 1080 >"$work/hd.marrowick"
mkdir "$work/out"

read -r plain plain_cpu < <(times_of ffmpeg -nostdin -v error -y -i "$work/hd.mp4" -map 0:v -map 0:a \
    -c:v libx264 -preset medium -crf 16 -profile:v high -pix_fmt yuv420p -c:a copy -movflags +faststart \
    "$work/plain.mov")
read -r labelled labelled_cpu < <(times_of "$cli" labelled "$work/hd.marrowick" "$work/out")
echo "metric: labelled_export_1080p_seconds $labelled s"
echo "metric: ffmpeg_reencode_1080p_seconds $plain s"
echo "metric: labelled_export_over_ffmpeg $(printf %.3f "$(echo "$labelled / $plain" | bc -l)") ratio"
# CPU time is the steadier figure on a shared machine.
echo "metric: labelled_export_over_ffmpeg_cpu $(printf %.3f "$(echo "$labelled_cpu / $plain_cpu" | bc -l)") ratio"

for minutes in 1 10; do
    ffmpeg -nostdin -v error -f lavfi -i "testsrc2=s=320x180:r=25" -f lavfi -i "sine=frequency=440" \
        -t $((minutes * 60)) -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac "$work/long$minutes.mp4"
    project "$work/long$minutes.mp4" $((minutes * 60)) 320 180 >"$work/long$minutes.marrowick"
    mkdir -p "$work/long-out$minutes"
    peak=$(/usr/bin/time -f %M "$cli" labelled "$work/long$minutes.marrowick" "$work/long-out$minutes" 2>&1 >/dev/null |
        tail -n 1)
    echo "metric: labelled_export_peak_rss_${minutes}min $(printf %.1f "$(echo "$peak / 1024" | bc -l)") MB"
done
