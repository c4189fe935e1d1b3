#!/usr/bin/env bash
# marrowick-cli validate: one line on success; exactly the message and exit status 1 on failure.
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$(dirname "$0")/project_fixture.sh"
project_of() { project "$1" none; }

project_of 1 >"$work/valid.marrowick"
[ "$("$cli" validate "$work/valid.marrowick")" = "valid: 1 films, 1 shots" ]

project_of 2 >"$work/old.marrowick"
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
