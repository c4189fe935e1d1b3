#!/usr/bin/env bash
# Every library the programs link is named, with its licence, in the notices the About box shows:
# each linked library's name starts with an entry of the table's "Linked as" column.
set -euo pipefail
notices=$1
shift
prefixes=$(awk -F'|' 'NF > 4 && $3 ~ /lib/ { gsub(/ /, "", $3); gsub(/,/, "\n", $3); print $3 }' "$notices")
missing=0
for library in $(readelf -d "$@" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p' | sort -u); do
    case $library in libc.so.* | libm.so.* | libstdc++.so.* | libgcc_s.so.*) continue ;; esac
    covered=false
    for prefix in $prefixes; do
        case $library in "$prefix"*) covered=true ;; esac
    done
    $covered || { echo "not in $notices: $library" >&2; missing=1; }
done
exit $missing
