#!/usr/bin/env bash
# MD5 of a 256 MB file: the installer's hashing (HashFile, MD5, file input, under Wine) against
# md5sum on the same file in the same run. Prints both times and their ratio (ours / md5sum).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/env.sh"
file="$TAVRIN_BUILD/bench-md5-256m.bin"
if [ ! -f "$file" ] || [ "$(stat -c %s "$file")" != $((256 * 1024 * 1024)) ]; then
    head -c $((256 * 1024 * 1024)) /dev/urandom > "$file"
fi
cat "$file" > /dev/null  # both runs read from the page cache

now() { date +%s.%N; }
start="$(now)"
reference="$(md5sum < "$file" | cut -d' ' -f1)"
reference_seconds="$(awk -v a="$start" -v b="$(now)" 'BEGIN { print b - a }')"

read -r seconds digest < <("$TAVRIN_ROOT/cmake/wine-run.sh" "$TAVRIN_BUILD/bench/md5_bench.exe" "Z:${file//\//\\}" | tr -d '\r')
if [ "$digest" != "$reference" ]; then
    echo "md5_bench: digest $digest differs from md5sum's $reference" >&2
    exit 1
fi
printf 'md5sum   %8.3f s\nHashFile %8.3f s (under Wine, process start excluded)\nratio    %8.2f\n' \
    "$reference_seconds" "$seconds" "$(awk -v a="$seconds" -v b="$reference_seconds" 'BEGIN { print a / b }')"
