#!/usr/bin/env bash
# marrowick-cli validate: one line on success; exactly the message and exit status 1 on failure.
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

project() {
  printf '{"schema":%s,"name":"Reel","films":[{"id":"0B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E","path":"/f.mov","duration":2,"fps":25,"width":1920,"height":1080,"detector":"TransNetV2"}],"shots":[{"id":"1B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E","filmID":"0b5c8d6e-1f2a-4b3c-8d4e-5f6a7b8c9d0e","start":0,"end":2,"boundaryScore":1,"disclosure":"none","note":"","category":"","group":0,"assistantNote":""}],"history":[],"threshold":0.5,"groupingThreshold":0.35,"artisticWork":false,"workDisclosure":"AI","labelWidth":0.18,"corner":"Bottom right","id":"2B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E"}' "$1"
}

project 1 >"$work/valid.marrowick"
[ "$("$cli" validate "$work/valid.marrowick")" = "valid: 1 films, 1 shots" ]

project 2 >"$work/old.marrowick"
status=0
"$cli" validate "$work/old.marrowick" >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 1 ]
[ ! -s "$work/out" ]
printf 'This project version is unsupported.\n' | cmp - "$work/err"

truncate -s 256000000 "$work/huge.marrowick"
status=0
"$cli" validate "$work/huge.marrowick" 2>"$work/err" || status=$?
[ "$status" -eq 1 ]
printf 'Project file exceeds 256 MB.\n' | cmp - "$work/err"
echo "cli validate: ok"
