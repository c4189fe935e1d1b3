#!/usr/bin/env bash
# marrowick-cli presets: the library listing, its JSON form, and --check on good and bad preset files.
set -euo pipefail
cli=$1
resources=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data" MARROWICK_RESOURCES="$resources"

[ "$("$cli" presets | wc -l)" -eq 33 ]
"$cli" presets | grep -qx $'master:prores_422hq\tProRes 422 HQ master\tprores_422hq \xc2\xb7 MOV \xc2\xb7 yuv422p10le \xc2\xb7 pcm_s24le'
"$cli" presets --json >"$work/all.json"
[ "$("$cli" presets --check "$work/all.json")" = "ok: 33 presets" ]
printf '{"targets": %s}' "$(cat "$resources/MasterTargets.json")" >"$work/targets.json"
[ "$("$cli" presets --check "$work/targets.json")" = "ok: 4 presets" ]

sed 's/"container": "webm"/"container": "mov"/' "$resources/DeliveryTargets.json" >"$work/vp9-mov.json"
status=0
"$cli" presets --check "$work/vp9-mov.json" >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 1 ]
[ ! -s "$work/out" ]
printf 'Web VP9 1080p (WebM): VP9 requires WebM\n' | cmp - "$work/err"

printf '{"presets": []}' >"$work/wrong.json"
status=0
"$cli" presets --check "$work/wrong.json" 2>"$work/err" || status=$?
[ "$status" -eq 1 ]
printf 'Preset data could not be read: the field "targets" is missing in the preset file.\n' | cmp - "$work/err"

# A broken custom library stops the listing with the loader's message.
mkdir -p "$work/data/Marrowick"
printf '[{"key": 1}]' >"$work/data/Marrowick/delivery-presets.json"
status=0
"$cli" presets 2>"$work/err" >/dev/null || status=$?
[ "$status" -eq 1 ]
grep -q '^Preset data could not be read' "$work/err"
echo "cli presets: ok"
