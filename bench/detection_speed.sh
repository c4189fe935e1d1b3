#!/usr/bin/env bash
# Shot detection speed against FFmpeg decoding the same 1080p film to 48x27 frames, and peak memory
# of detecting a 1-minute and a 10-minute film (bounded memory shows as equal figures).
set -euo pipefail
build=${1:-build}
cli="$build/src/app/marrowick-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

times_of() {  # runs a command, prints its wall-clock and its CPU (user + system) seconds
    /usr/bin/time -f "%e %U %S" "$@" 2>&1 >/dev/null | tail -n 1 | awk '{ print $1, $2 + $3 }'
}

# 64 s of 1080p25 H.264 (CABAC, B-frames, deblocking) with a hue change every 8 s.
ffmpeg -nostdin -v error -f lavfi -i "testsrc2=s=1920x1080:r=25" \
    -vf "hue=h='360*floor(t/8)/8'" -t 64 -c:v libx264 -preset veryfast -pix_fmt yuv420p "$work/hd.mp4"

read -r decode decode_cpu < <(times_of ffmpeg -nostdin -v error -i "$work/hd.mp4" -vf scale=48:27 -f null -)
read -r detect detect_cpu < <(times_of "$cli" detect "$work/hd.mp4")
echo "metric: detection_1080p_seconds $detect s"
echo "metric: ffmpeg_decode_48x27_seconds $decode s"
echo "metric: detection_over_ffmpeg_decode $(printf %.3f "$(echo "$detect / $decode" | bc -l)") ratio"
# CPU time is the steadier figure on a shared machine.
echo "metric: detection_over_ffmpeg_decode_cpu $(printf %.3f "$(echo "$detect_cpu / $decode_cpu" | bc -l)") ratio"

for minutes in 1 10; do
    ffmpeg -nostdin -v error -f lavfi -i "testsrc2=s=160x90:r=25" -t $((minutes * 60)) \
        -c:v libx264 -preset ultrafast -pix_fmt yuv420p "$work/long$minutes.mp4"
    peak=$(/usr/bin/time -f %M "$cli" detect "$work/long$minutes.mp4" 2>&1 >/dev/null | tail -n 1)
    echo "metric: detection_peak_rss_${minutes}min $(printf %.1f "$(echo "$peak / 1024" | bc -l)") MB"
done
