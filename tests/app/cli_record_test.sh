#!/usr/bin/env bash
# marrowick-cli signoff and report: an unfinished film is refused with its count, a finished one
# is sealed under the named reviewer; the PDF report has one row per labelled or noted shot with
# its times, and the HTML report keeps every name and note as text.
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# review FIRST_DECISION SECOND_DECISION: one 4-second film of three shots; the first carries a
# hostile note, the third is AI generated.
review() {
  local shot='{"id":"%s","filmID":"0B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E","start":%s,"end":%s,"boundaryScore":1,"disclosure":"%s","note":"%s","category":"","group":0,"assistantNote":""}'
  printf '{"schema":1,"name":"Reel <b>&</b>","films":[{"id":"0B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E","path":"/films/f.mov","duration":4,"fps":25,"width":1920,"height":1080,"detector":"TransNetV2","sourceSHA256":"%s"}],"shots":[' "$(printf 'a%.0s' {1..64})"
  printf "$shot," 1B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D01 0 1.25 "$1" '<script>alert(1)</script>'
  printf "$shot," 1B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D02 1.25 2.5 "$2" ''
  printf "$shot" 1B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D03 2.5 4 generated ''
  printf '],"history":[],"threshold":0.5,"groupingThreshold":0.35,"artisticWork":false,"workDisclosure":"AI","labelWidth":0.18,"corner":"Bottom right","id":"2B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E"}'
}

expect_failure() {  # STATUS MESSAGE COMMAND...
  local want=$1 message=$2 status=0
  shift 2
  "$@" >"$work/stdout" 2>"$work/err" || status=$?
  [ "$status" -eq "$want" ] || { echo "status $status, not $want: $*"; exit 1; }
  [ -z "$message" ] || printf '%s\n' "$message" | cmp - "$work/err"
}

review modified unreviewed >"$work/open.marrowick"
cp "$work/open.marrowick" "$work/before"
expect_failure 1 '"f.mov" cannot be signed off: 1 unreviewed shot.' \
  "$cli" signoff "$work/open.marrowick" --film f.mov --reviewer Ada
cmp "$work/before" "$work/open.marrowick"
expect_failure 64 '' "$cli" signoff "$work/open.marrowick" --film f.mov
expect_failure 64 '' "$cli" signoff "$work/open.marrowick" --film f.mov --role QC
expect_failure 64 '' "$cli" signoff "$work/open.marrowick" --film f.mov --reviewer ''
expect_failure 1 'The review has no film named "g.mov".' \
  "$cli" signoff "$work/open.marrowick" --film g.mov --reviewer Ada

review modified none >"$work/done.marrowick"
[ "$("$cli" signoff "$work/done.marrowick" --film f.mov --reviewer 'Ada <QC>' --role 'Lead & co')" = "Signed off f.mov." ]
"$cli" validate "$work/done.marrowick" >/dev/null
grep -q '"action":"sign-off","date":[0-9.]*,"detail":"f.mov","reviewer":{"name":"Ada <QC>","role":"Lead & co"}' "$work/done.marrowick"
grep -q '"signOff":{"filmID":"0B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E","filmSHA256":"aaaa' "$work/done.marrowick"

# PDF: the first and third shots are listed (labelled; the first noted too), the second is not.
[ "$("$cli" report "$work/done.marrowick" "$work/report.pdf")" = "Review report written." ]
pdftotext -layout "$work/report.pdf" "$work/report.txt"
tr -s ' \n' '  ' <"$work/report.txt" >"$work/report.flat"  # sentences may wrap
grep -qE 'a record of human decisions made with Marrowick [0-9]' "$work/report.flat"
grep -q 'Signed off; signed by Ada <QC> (Lead & co)' "$work/report.flat"
# The decision may wrap inside its column: its first word stands on the row's line.
[ "$(grep -cE '^ *00:00:00:00 +00:00:01:06 +00:00:01\.250 +AI( modified)? ' "$work/report.txt")" -eq 1 ]
[ "$(grep -cE '^ *00:00:02:12 +00:00:04:00 +00:00:01\.500 +AI( generated)? ' "$work/report.txt")" -eq 1 ]
[ "$(grep -cE '00:00:01:06 +00:00:02:12' "$work/report.txt")" -eq 0 ]
pdftotext "$work/report.pdf" - | tr -d ' \n' | grep -q '<script>alert(1)</script>'  # the note, as text

# HTML: names and notes stay text; nothing runs and nothing is fetched.
"$cli" report "$work/done.marrowick" "$work/report.html" >/dev/null
grep -q '&lt;script&gt;alert(1)&lt;/script&gt;' "$work/report.html"
grep -q 'Reel &lt;b&gt;&amp;&lt;/b&gt;' "$work/report.html"
grep -q 'Ada &lt;QC&gt; (Lead &amp; co)' "$work/report.html"
! grep -qiE '<script|<b>|https?:' "$work/report.html"

expect_failure 1 'A review report is written as a .pdf or an .html file.' \
  "$cli" report "$work/done.marrowick" "$work/report.txt"
expect_failure 64 '' "$cli" report "$work/done.marrowick"
echo "cli signoff and report: ok"
