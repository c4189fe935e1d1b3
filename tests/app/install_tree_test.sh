#!/usr/bin/env bash
# The installed tree works wherever it is unpacked: install into one folder, move the folder, and
# both programs find their resources in the new place. The tree holds the launcher, the MIME type
# of review projects and the icon at every size, each one accepted by the desktop's own tools.
set -euo pipefail
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset MARROWICK_RESOURCES
export XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=offscreen

cmake --install "$build" --prefix "$work/installed" >/dev/null
mv "$work/installed" "$work/moved"
tree=$work/moved
cd "$work"

expected=$(printf 'marrowick %s\nresources: %s/share/marrowick' "$version" "$tree")
[ "$("$tree/bin/marrowick-cli" --version)" = "$expected" ]
[ "$("$tree/bin/marrowick-cli" version)" = "$expected" ]
[ "$("$tree/bin/marrowick" --version)" = "$expected" ]
# The switches keep their order: --build-kind is answered before --version.
[ "$("$tree/bin/marrowick" --version --build-kind)" = production ]

# The catalogues, the label artwork and the notices come from the moved tree.
"$tree/bin/marrowick-cli" presets | grep -q '^master:prores_422hq'
for name in SafeZones.json DeliveryTargets.json MasterTargets.json NOTICES.md Labels/EU_generated_white.png \
            Labels/EU_modified_black_50.png; do
    [ -s "$tree/share/marrowick/$name" ]
done

desktop-file-validate "$tree/share/applications/marrowick.desktop"
for size in 16 22 24 32 48 64 128 256 512; do
    [ "$(identify -format '%wx%h' "$tree/share/icons/hicolor/${size}x${size}/apps/marrowick.png")" = "${size}x${size}" ]
done
[ -s "$tree/share/icons/hicolor/scalable/apps/marrowick.svg" ]
update-mime-database "$tree/share/mime"
grep -q 'pattern="\*.marrowick"' "$tree/share/mime/application/x-marrowick.xml"
