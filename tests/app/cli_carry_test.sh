#!/usr/bin/env bash
# marrowick-cli import --carry-from and accept-carried: suggestions from an earlier review file and
# from the project's own reviewed films, notes for films that cannot be matched, and accepting.
set -euo pipefail
cli=$1
films=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CACHE_HOME="$work/cache"
count() { grep -o "$1" "$2" | wc -l; }

"$cli" import "$work/first.marrowick" "$films/base.mkv" >"$work/out"
echo "$films/base.mkv: 6 shots" | cmp - "$work/out"
sed -i 's/"disclosure":"unreviewed"/"disclosure":"generated"/g' "$work/first.marrowick"

# From another review file: suggestions only, and nothing else of that file.
"$cli" import "$work/second.marrowick" "$films/trimmed.mkv" --carry-from "$work/first.marrowick" >"$work/out"
printf '%s: 6 shots\nCarried earlier decisions to 6 of 6 shots of trimmed.mkv.\n' "$films/trimmed.mkv" | cmp - "$work/out"
[ "$(count '"carriedFrom"' "$work/second.marrowick")" -eq 6 ]
[ "$(count '"project":"first.marrowick"' "$work/second.marrowick")" -eq 6 ]
[ "$(count '"disclosure":"unreviewed"' "$work/second.marrowick")" -eq 6 ]
[ "$("$cli" validate "$work/second.marrowick")" = "valid: 1 films, 6 shots" ]
[ "$(ls "$XDG_CACHE_HOME/Marrowick/signatures" | wc -l)" -eq 2 ]

# From the project's own reviewed film: a regraded version carries nothing.
"$cli" import "$work/first.marrowick" "$films/brighter.mkv" >"$work/out"
tail -n 1 "$work/out" | cmp - <(echo "Carried earlier decisions to 0 of 6 shots of brighter.mkv.")

# Another frame rate: said so, nothing carried.
"$cli" import "$work/third.marrowick" "$films/thirty.mkv" --carry-from "$work/first.marrowick" >"$work/out" 2>"$work/err"
echo "base.mkv runs at 25 fps and this film at 30 fps; films of different frame rates are not matched." | cmp - "$work/err"

# An earlier review that cannot be read: its message, and no project file.
status=0
"$cli" import "$work/fourth.marrowick" "$films/trimmed.mkv" --carry-from "$work/none.marrowick" 2>"$work/err" || status=$?
[ "$status" -eq 1 ] && [ -s "$work/err" ] && [ ! -e "$work/fourth.marrowick" ]

# Accepting: an unknown film is refused; then every suggestion becomes the decision, once.
status=0
"$cli" accept-carried "$work/second.marrowick" --film nosuch.mkv 2>"$work/err" || status=$?
[ "$status" -eq 1 ]
echo "No film named nosuch.mkv in the project." | cmp - "$work/err"
"$cli" accept-carried "$work/second.marrowick" --film trimmed.mkv >"$work/out"
[ "$(count ': generated, from first.marrowick ' "$work/out")" -eq 6 ]
tail -n 1 "$work/out" | cmp - <(echo "Accepted 6 earlier decisions.")
[ "$(count '"carriedFrom"' "$work/second.marrowick")" -eq 0 ]
[ "$(count '"disclosure":"generated"' "$work/second.marrowick")" -eq 6 ]
[ "$("$cli" accept-carried "$work/second.marrowick")" = "Accepted 0 earlier decisions." ]
echo "cli carry: ok"
