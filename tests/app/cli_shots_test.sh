#!/usr/bin/env bash
# marrowick-cli shots: every shot in film order in each time display, one film by name, JSON, and
# messages for a film that is not there and for wrong arguments.
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

film() {  # ID PATH DURATION FPS EXTRA
  printf '{"id":"%s","path":"%s","duration":%s,"fps":%s,"width":1920,"height":1080,"detector":"TransNetV2"%s}' "$@"
}
shot() {  # ID FILM START END DISCLOSURE GROUP NOTE
  printf '{"id":"%s","filmID":"%s","start":%s,"end":%s,"boundaryScore":1,"disclosure":"%s","note":"%s","category":"","group":%s,"assistantNote":""}' \
    "$1" "$2" "$3" "$4" "$5" "$7" "$6"
}
a=0B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E
b=0B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0F
{
  printf '{"schema":1,"name":"Reel","films":['
  film "$a" "/films/reel one.mov" 2 25 ',"startTimecode":"10:00:00:00","timecodeRate":25'
  printf ','
  film "$b" /films/reel2.mov 2.002 29.97002997002997 ',"startTimecode":"00:59:59;28","timecodeRate":30'
  printf '],"shots":['
  shot 1B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D01 "$b" 0 2.002 none 0 ''
  printf ','
  shot 1B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D02 "$a" 0.48 2 generated 3 'sky replaced\nby the vendor\tlater'
  printf ','
  shot 1B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D03 "$a" 0 0.48 unreviewed 0 'tab\there'
  printf '],"history":[],"threshold":0.5,"groupingThreshold":0.35,"artisticWork":false,"workDisclosure":"AI",'
  printf '"labelWidth":0.18,"corner":"Bottom right","id":"2B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E"}'
} >"$work/review.marrowick"

T=$'\t'
"$cli" shots "$work/review.marrowick" >"$work/out"
cat >"$work/want" <<OUT
reel one.mov${T}10:00:00:00${T}10:00:00:12${T}unreviewed${T}0${T}tab here
reel one.mov${T}10:00:00:12${T}10:00:02:00${T}generated${T}3${T}sky replaced
reel2.mov${T}00:59:59;28${T}01:00:01;28${T}none${T}0${T}
OUT
diff "$work/want" "$work/out"

"$cli" shots "$work/review.marrowick" --time frames --film "reel one.mov" >"$work/out"
printf 'reel one.mov\t#0\t#12\tunreviewed\t0\ttab here\nreel one.mov\t#12\t#50\tgenerated\t3\tsky replaced\n' | diff - "$work/out"
# A film is named by its file name, its full path or its ID.
for name in reel2.mov /films/reel2.mov "$b"; do
  "$cli" shots --time seconds "$work/review.marrowick" --film "$name" >"$work/out"
  printf 'reel2.mov\t00:00:00.000\t00:00:02.002\tnone\t0\t\n' | diff - "$work/out"
done

"$cli" shots "$work/review.marrowick" --json --film "reel one.mov" >"$work/out"
python3 - "$work/out" <<'PY'
import json, sys
shots = json.load(open(sys.argv[1]))
assert shots[1] == {"film": "reel one.mov", "start": "10:00:00:12", "end": "10:00:02:00", "decision": "generated",
                    "group": 3, "note": "sky replaced"}, shots
PY

status=0
"$cli" shots "$work/review.marrowick" --film other.mov >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 1 ] && [ ! -s "$work/out" ]
printf 'No film named other.mov in the project.\n' | cmp - "$work/err"
for wrong in "--time hours" "--film" "" "--json --bogus"; do
  status=0
  # shellcheck disable=SC2086
  "$cli" shots "$work/review.marrowick" $wrong >/dev/null 2>"$work/err" || status=$?
  if [ -z "$wrong" ]; then [ "$status" -eq 0 ]; else [ "$status" -eq 64 ] && grep -q '^Usage: marrowick-cli shots' "$work/err"; fi
done
echo "cli shots: ok"
