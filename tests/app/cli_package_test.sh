#!/usr/bin/env bash
# marrowick-cli package: writes the five package files into an existing folder; message and status 1 otherwise.
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$(dirname "$0")/project_fixture.sh"
project_of() { project "$1" generated '"labelStyle":"black",'; }

project_of 1 >"$work/valid.marrowick"
mkdir "$work/out"
[ "$("$cli" package "$work/valid.marrowick" "$work/out")" = "Review package exported." ]
[ "$(ls "$work/out" | tr '\n' ' ')" = "EU_generated_black.png EU_modified_black.png disclosure-record.txt review.marrowick shot-review.csv " ]
grep -q '^Reviewed shots: 1/1$' "$work/out/disclosure-record.txt"
"$cli" validate "$work/out/review.marrowick" >/dev/null

project_of 2 >"$work/old.marrowick"
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
