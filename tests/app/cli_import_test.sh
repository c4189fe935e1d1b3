#!/usr/bin/env bash
# marrowick-cli import: creates the project, one line per film, skips known files, keeps the file
# valid, keeps completed films when a later file fails, and leaves no new file behind when nothing
# could be imported.
set -euo pipefail
cli=$1
films=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The program's own temporary folder: it must be as empty at the end as at the start.
export TMPDIR="$work/tmp"
mkdir "$TMPDIR"
cp "$films/cuts.mp4" "$work/a.mp4"
cp "$films/cuts.mp4" "$work/b.mp4"

"$cli" import "$work/review.marrowick" "$work/a.mp4" "$work/b.mp4" >"$work/out"
printf '%s: 4 shots\n%s: 4 shots\n' "$work/a.mp4" "$work/b.mp4" | cmp - "$work/out"
[ "$("$cli" validate "$work/review.marrowick")" = "valid: 2 films, 8 shots" ]

# A film already in the project is skipped: no line, nothing added.
"$cli" import "$work/review.marrowick" "$work/a.mp4" >"$work/out"
[ ! -s "$work/out" ]
[ "$("$cli" validate "$work/review.marrowick")" = "valid: 2 films, 8 shots" ]

# A failing file: its message, status 1, completed films kept.
cp "$films/cuts.mp4" "$work/c.mp4"
status=0
"$cli" import "$work/review.marrowick" "$work/c.mp4" "$films/not-media.mp4" >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 1 ]
[ -s "$work/err" ]
[ "$("$cli" validate "$work/review.marrowick")" = "valid: 3 films, 12 shots" ]

# The only film fails: the library's text names the file, after FFmpeg's own error lines, which
# name it too; no new project file is left.
status=0
"$cli" import "$work/new.marrowick" "$films/not-media.mp4" >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 1 ]
[ "$(tail -n 1 "$work/err")" = "not-media.mp4: Invalid data found when processing input" ]
[ -z "$(head -n -1 "$work/err" | grep -v '^marrowick-cli: not-media\.mp4: \[')" ]
[ ! -e "$work/new.marrowick" ]

status=0
"$cli" import "$work/review.marrowick" 2>/dev/null || status=$?
[ "$status" -eq 64 ]

# No temporary file survives, here or next to the project.
[ -z "$(ls -A "$TMPDIR")" ]
[ -z "$(find "$work" -name '*.tmp')" ]
echo "cli import: ok"
