#!/usr/bin/env bash
# marrowick-cli import with --cuts: an edit no detector can see (the same still picture on both
# sides) comes from the cut list; a list that does not fit its film imports nothing.
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
command -v ffmpeg >/dev/null || { echo "cli import --cuts: ffmpeg missing, skipped"; exit 0; }

# Four seconds of one still picture at 25 fps; the editor cut between two takes of it at 2 s.
ffmpeg -nostdin -loglevel error -f lavfi -i smptebars=size=160x90:rate=25 -frames:v 100 -pix_fmt yuv420p \
  -c:v libx264 -preset ultrafast "$work/reel.mp4"
cat >"$work/reel.edl" <<'EDL'
TITLE: REEL
FCM: NON-DROP FRAME

001  TAKE1    V     C        00:00:00:00 00:00:02:00 01:00:00:00 01:00:02:00
002  TAKE2    V     C        00:00:05:00 00:00:07:00 01:00:02:00 01:00:04:00
EDL

# Detection alone finds one shot.
"$cli" import "$work/detected.marrowick" "$work/reel.mp4" >"$work/out"
[ "$(cat "$work/out")" = "$work/reel.mp4: 1 shots" ]

"$cli" import "$work/review.marrowick" "$work/reel.mp4" --cuts "$work/reel.edl" >"$work/out"
[ "$(cat "$work/out")" = "$work/reel.mp4: 2 shots" ]
[ "$("$cli" validate "$work/review.marrowick")" = "valid: 1 films, 2 shots" ]
python3 - "$work/review.marrowick" <<'PY'
import json, sys
project = json.load(open(sys.argv[1]))
film = project["films"][0]
assert film["detector"] == "Cut list: reel.edl", film["detector"]
assert len(film["frameTimes"]) == 100 and film["sourceSHA256"]
shots = sorted(project["shots"], key=lambda s: s["start"])
assert [(s["start"], s["end"]) for s in shots] == [(0.0, 2.0), (2.0, 4.0)], shots
assert all(s["thumbnail"] and s["feature"] for s in shots)
# The edit detection cannot see is listed under "Check boundaries" (score below 0.8).
assert [s["boundaryScore"] for s in shots] == [1.0, 0.5], shots
assert shots[1]["note"] == "Check boundaries: detection finds no cut where this shot starts.", shots[1]["note"]
assert shots[0]["note"] == ""
PY

# The way back: the review as a timeline, read back as a cut list gives the same shots.
[ "$("$cli" timeline "$work/review.marrowick" "$work/back.otio")" = "Timeline exported." ]
"$cli" timeline "$work/review.marrowick" "$work/back.edl" >/dev/null
grep -q '^002  AX       V     C        00:00:02:00 00:00:04:00 01:00:02:00 01:00:04:00$' "$work/back.edl"
cp "$work/reel.mp4" "$work/again.mp4"
"$cli" import "$work/again.marrowick" "$work/again.mp4" --cuts "$work/back.otio" >"$work/out"
[ "$(cat "$work/out")" = "$work/again.mp4: 2 shots" ]
status=0
"$cli" timeline "$work/review.marrowick" "$work/back.aaf" 2>/dev/null || status=$?
[ "$status" -eq 1 ] && [ ! -e "$work/back.aaf" ]

# A list longer than its film: the message, status 1, the project file untouched.
cp "$work/review.marrowick" "$work/before"
sed 's/01:00:04:00/01:00:05:00/; s/00:00:07:00/00:00:08:00/' "$work/reel.edl" >"$work/long.edl"
cp "$work/reel.mp4" "$work/second.mp4"
status=0
"$cli" import "$work/review.marrowick" "$work/second.mp4" --cuts "$work/long.edl" >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 1 ]
[ "$(cat "$work/err")" = "The cut list runs 00:00:05.000, longer than the film (00:00:04.000)." ]
cmp "$work/before" "$work/review.marrowick"

# --cuts needs a video before it and a list after it.
for arguments in "--cuts $work/reel.edl" "$work/reel.mp4 --cuts" "$work/reel.mp4 --cuts a.edl --cuts b.edl"; do
  status=0
  # shellcheck disable=SC2086
  "$cli" import "$work/x.marrowick" $arguments 2>/dev/null || status=$?
  [ "$status" -eq 64 ]
done
echo "cli import --cuts: ok"
