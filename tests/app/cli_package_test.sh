#!/usr/bin/env bash
# marrowick-cli package: writes the five package files into an existing folder; message and status 1 otherwise.
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

project() {
  printf '{"schema":%s,"name":"Reel","films":[{"id":"0B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E","path":"/f.mov","duration":2,"fps":25,"width":1920,"height":1080,"detector":"TransNetV2"}],"shots":[{"id":"1B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E","filmID":"0b5c8d6e-1f2a-4b3c-8d4e-5f6a7b8c9d0e","start":0,"end":2,"boundaryScore":1,"disclosure":"generated","note":"","category":"","group":0,"assistantNote":""}],"history":[],"threshold":0.5,"groupingThreshold":0.35,"artisticWork":false,"workDisclosure":"AI","labelWidth":0.18,"labelStyle":"black","corner":"Bottom right","id":"2B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E"}' "$1"
}

project 1 >"$work/valid.marrowick"
mkdir "$work/out"
[ "$("$cli" package "$work/valid.marrowick" "$work/out")" = "Review package exported." ]
[ "$(ls "$work/out" | tr '\n' ' ')" = "EU_generated_black.png EU_modified_black.png disclosure-record.txt review.marrowick shot-review.csv " ]
grep -q '^Reviewed shots: 1/1$' "$work/out/disclosure-record.txt"
"$cli" validate "$work/out/review.marrowick" >/dev/null

project 2 >"$work/old.marrowick"
mkdir "$work/old"
status=0
"$cli" package "$work/old.marrowick" "$work/old" >"$work/stdout" 2>"$work/err" || status=$?
[ "$status" -eq 1 ]
[ ! -s "$work/stdout" ]
[ -z "$(ls "$work/old")" ]
printf 'This project version is unsupported.\n' | cmp - "$work/err"

status=0
"$cli" package "$work/valid.marrowick" "$work/missing" 2>"$work/err" || status=$?
[ "$status" -eq 1 ]
printf 'The folder "%s" does not exist.\n' "$work/missing" | cmp - "$work/err"
echo "cli package: ok"
