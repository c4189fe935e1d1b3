#!/usr/bin/env bash
# marrowick-cli plan: jobs in library order with names, rasters, rates and warnings; refusals on stderr.
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"

source "$(dirname "$0")/project_fixture.sh"
# A project whose one film (recorded as 2 s, 25 fps, 1920x1080) is the file $1.
project_for() { project 1 none | sed "s#\"/f.mov\"#\"$1\"#"; }

film() { ffmpeg -nostdin -loglevel error -y -f lavfi -i testsrc2=s=64x36:r=25:d=0.2 -f lavfi -i sine=d=0.2 \
  -c:v libx264 -pix_fmt yuv420p -c:a aac -ac 2 "$@"; }
film -color_primaries bt709 -color_trc bt709 -colorspace bt709 "$work/Spot A.mov"
film "$work/untagged.mp4"
project_for "$work/Spot A.mov" >"$work/tagged.marrowick"
project_for "$work/untagged.mp4" >"$work/untagged.marrowick"

# Library order, whatever the order on the command line; one job per preset.
"$cli" plan "$work/tagged.marrowick" --preset master:prores_422hq web_h264_1080p >"$work/out"
printf '1-Spot_A_web.mp4\t1920x1080\t25.0 fps\n2-Spot_A_prores_422hq.mov\t1920x1080\t25.0 fps\n' | cmp - "$work/out"

# Warnings follow their job, indented; --preset may repeat.
"$cli" plan "$work/tagged.marrowick" --preset instagram_feed_1x1 --framing crop --preset web_h264_1080p >"$work/out"
printf '1-Spot_A_ig_square.mp4\t1080x1080\t25.0 fps\n  Canvas crops picture edges.\n2-Spot_A_web.mp4\t1920x1080\t25.0 fps\n' |
  cmp - "$work/out"

expect_refusal() {  # expect_refusal MESSAGE ARGUMENTS...: status 1, the message on stderr, nothing on stdout
  local message=$1 status=0
  shift
  "$cli" plan "$@" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq 1 ]
  [ ! -s "$work/out" ]
  printf '%s\n' "$message" | cmp - "$work/err"
}
expect_refusal 'untagged.mp4 has untagged colour. Confirm SDR Rec.709 in the export dialog, or tag/finish the source first.' \
  "$work/untagged.marrowick" --preset web_h264_1080p
expect_refusal 'TikTok In-Feed ad: source is shorter than 5.0s.' \
  "$work/tagged.marrowick" --preset web_h264_1080p tiktok_infeed_ad_9x16
expect_refusal 'Unknown delivery preset "web_h265".' "$work/tagged.marrowick" --preset web_h264_1080p web_h265
expect_refusal 'Invalid canvas mode.' "$work/tagged.marrowick" --preset web_h264_1080p --framing fit

"$cli" plan "$work/untagged.marrowick" --assume-rec709 --preset web_h264_1080p >"$work/out"
printf '1-untagged_web.mp4\t1920x1080\t25.0 fps\n  Untagged source colour is assumed SDR Rec.709; confirm this before exporting.\n' |
  cmp - "$work/out"

# The FFmpeg chosen in the window (the "ffmpegPath" setting, quoted because of the comma) comes first.
tools="$work/my tools, chosen"
mkdir -p "$tools" "$XDG_CONFIG_HOME/Marrowick"
printf '#!/bin/sh\nexit 0\n' >"$tools/ffmpeg"
printf '#!/bin/sh\nprintf "chosen ffprobe" >&2\nexit 3\n' >"$tools/ffprobe"
chmod +x "$tools/ffmpeg" "$tools/ffprobe"
printf '[General]\nffmpegPath="%s/ffmpeg"\n' "$tools" >"$XDG_CONFIG_HOME/Marrowick/Marrowick.conf"
expect_refusal $'ffprobe failed (3):\nchosen ffprobe' "$work/tagged.marrowick" --preset web_h264_1080p
rm "$XDG_CONFIG_HOME/Marrowick/Marrowick.conf"

status=0
"$cli" plan "$work/tagged.marrowick" 2>/dev/null || status=$?
[ "$status" -eq 64 ]
echo "cli plan: ok"
