#!/usr/bin/env bash
# One corpus film through marrowick-cli, step by step:
#   import     the project gets the film, every shot a thumbnail and a feature print;
#   frames     one frame time per decoded frame (within 1 % of what ffprobe decodes), increasing,
#              inside the film, and shots that tile the film from 0 to its duration;
#   labelled   the first shot marked generated: the labelled copy has one frame per frame time;
#   deliver    web_h264_1080p writes its output, or is refused with a message and status 1.
# A film named damaged-* must import with a note of its damaged frames.
# A film named bad-* must instead be refused by import: status 1, a message naming the file, no
# project file and nothing else left behind.
# Every failing step prints "<film>: <step>: expected ..., found ..."; the test fails if any does.
#
#   corpus_film_test.sh CLI FOLDER FILE
set -uo pipefail
cli=$1
film=$2/$3
name=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The program's temporary folder and the film's folder: both must hold nothing new at the end.
export TMPDIR="$work/tmp"
mkdir "$TMPDIR" "$work/film" "$work/out"
ln -s "$(cd "$(dirname "$film")" && pwd)/$name" "$work/film/$name"
source=$work/film/$name
project=$work/review.marrowick
failures=0

fail() {  # fail STEP EXPECTED FOUND
  echo "$name: $1: expected $2, found $3" >&2
  failures=$((failures + 1))
}
pass() { echo "$name: $1: ok${2:+ ($2)}"; }
# The message lines of a run's standard error, progress lines left out, on one line.
message_of() { grep -v -e '^Checking all delivery targets' -e '%$' "$1" | tr '\r\n' '  ' | sed 's/  */ /g; s/ $//'; }
decoded_frames() {
  ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames -of csv=p=0 "$1" |
    head -n 1 | tr -d ',\n'
}
leftovers() { find "$TMPDIR" "$work/film" -mindepth 1 ! -name "$name" -printf '%P '; find "$work" -maxdepth 1 -name '*.tmp' -printf '%P '; }

[ -e "$film" ] || { fail setup "the film in $2" "no such file"; exit 1; }

# --- a bad input: refused --------------------------------------------------------------------------
if [[ $name == bad-* ]]; then
  status=0
  "$cli" import "$project" "$source" >"$work/stdout" 2>"$work/stderr" || status=$?
  message=$(message_of "$work/stderr")
  [ "$status" -eq 1 ] || fail import "status 1" "status $status (stdout: $(head -c 300 "$work/stdout"))"
  [[ $message == *"$name"* ]] || fail import "a message naming $name" "\"$message\""
  [ ! -e "$project" ] || fail import "no project file" "one with $(python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); print(len(d["films"]), "films")' "$project" 2>&1)"
  left=$(leftovers)
  [ -z "$left" ] || fail import "nothing left behind" "$left"
  [ "$failures" -gt 0 ] || pass refused "$message"
  exit $((failures > 0))
fi

# --- import -----------------------------------------------------------------------------------------
status=0
"$cli" import "$project" "$source" >"$work/stdout" 2>"$work/stderr" || status=$?
if [ "$status" -ne 0 ]; then
  fail import "status 0" "status $status: $(message_of "$work/stderr")"
  echo "$name: frames, labelled, deliver: not run (nothing imported)" >&2
  exit 1
fi
# The film's facts, one per line: frame times, shots, shots without pictures, tiling faults.
facts=$(python3 - "$project" <<'EOF'
import json, sys
project = json.load(open(sys.argv[1]))
film = project["films"][0]
times = film.get("frameTimes", [])
duration = film["duration"]
shots = sorted(project["shots"], key=lambda s: s["start"])
faults = []
if any(b <= a for a, b in zip(times, times[1:])):
    faults.append("frame times not strictly increasing")
if times and (times[0] < 0 or times[-1] > duration):
    faults.append(f"frame times {times[0]:.6f}..{times[-1]:.6f} outside 0..{duration:.6f}")
at = 0.0
for shot in shots:
    if abs(shot["start"] - at) > 1e-6:
        faults.append(f"shot at {shot['start']:.6f} where {at:.6f} was expected")
    if not any(shot["start"] <= t < shot["end"] for t in times):
        faults.append(f"shot {shot['start']:.6f}..{shot['end']:.6f} holds no frame time")
    at = shot["end"]
if abs(at - duration) > 1e-6:
    faults.append(f"shots end at {at:.6f}, the film at {duration:.6f}")
print(len(times))
print(len(shots))
print(sum(1 for s in shots if not s.get("thumbnail") or not s.get("feature")))
print("; ".join(faults[:3]) + (f" (and {len(faults) - 3} more)" if len(faults) > 3 else ""))
EOF
) || { fail import "a readable project file" "$facts"; exit 1; }
{ read -r times; read -r shots; read -r bare; read -r tiling; } <<<"$facts"
if [ "$bare" -eq 0 ]; then pass import "$shots shots"; else fail import "a thumbnail and feature print on every shot" "$bare of $shots shots without"; fi
# A partly damaged film is detected over what decodes, and import says so.
if [[ $name == damaged-* ]] && ! grep -q "damaged frames\? skipped or concealed" "$work/stderr"; then
  fail import "a note of the damaged frames" "\"$(message_of "$work/stderr")\""
fi

# --- frames -----------------------------------------------------------------------------------------
decoded=$(decoded_frames "$film")
if [ -z "$decoded" ] || [ $((100 * (times > decoded ? times - decoded : decoded - times))) -gt "$decoded" ]; then
  fail frames "$decoded frame times (what ffprobe decodes, within 1 %)" "$times"
else
  pass frames "$times frame times, $decoded decoded"
fi
[ -z "$tiling" ] || fail tiling "shots tiling the film with one frame time or more each" "$tiling"

# Every shot reviewed, the first one (by start) generated.
python3 - "$project" <<'EOF'
import json, sys
project = json.load(open(sys.argv[1]))
first = min(project["shots"], key=lambda s: s["start"])
for shot in project["shots"]:
    shot["disclosure"] = "generated" if shot is first else "none"
json.dump(project, open(sys.argv[1], "w"))
EOF

# --- labelled ---------------------------------------------------------------------------------------
mkdir "$work/out/labelled"
status=0
"$cli" labelled "$project" "$work/out/labelled" >"$work/stdout" 2>"$work/stderr" || status=$?
copy=$(find "$work/out/labelled" -name '*-labelled.mov' | head -n 1)
if [ "$status" -ne 0 ]; then
  fail labelled "status 0" "status $status: $(message_of "$work/stderr")"
elif [ -z "$copy" ]; then
  fail labelled "a labelled copy" "none in $(cat "$work/stdout")"
else
  copied=$(decoded_frames "$copy")
  if [ "$copied" = "$times" ]; then pass labelled "$copied frames"; else fail labelled "$times frames in the copy" "${copied:-none}"; fi
fi

# --- deliver ----------------------------------------------------------------------------------------
mkdir "$work/out/delivery"
status=0
"$cli" deliver "$project" "$work/out/delivery" --preset web_h264_1080p --assume-rec709 \
  >"$work/stdout" 2>"$work/stderr" || status=$?
message=$(message_of "$work/stderr")
output=$(find "$work/out/delivery" -name '*_web.mp4' | head -n 1)
if [ "$status" -eq 0 ] && [ -n "$output" ] && [ -n "$(decoded_frames "$output")" ]; then
  pass deliver "$(decoded_frames "$output") frames"
elif [ "$status" -eq 1 ] && [ -n "$message" ]; then
  pass deliver "refused: $message"
elif [ "$status" -eq 0 ]; then
  fail deliver "a decodable *_web.mp4" "none ($(ls -R "$work/out/delivery" | tr '\n' ' '))"
else
  fail deliver "status 0, or status 1 with a message" "status $status: ${message:-no message}"
fi

left=$(leftovers)
[ -z "$left" ] || fail cleanup "no temporary files left" "$left"
exit $((failures > 0))
