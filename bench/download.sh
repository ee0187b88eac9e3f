#!/usr/bin/env bash
# A 256 MB package from the local package host: YDownloader and a bare WinInet loop of the same
# block size (both under Wine, process start excluded) against the Linux curl binary, in the same
# run. Prints the three times and the ratios against WinInet and curl; every copy is checked
# against the host's MD5.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/env.sh"
size=$((256 * 1024 * 1024))
source "$TAVRIN_BUILD/service-ports.env"
host="http://127.0.0.1:$TAVRIN_SERVICE_PORT"
url="$host/pkg/gen/$size/bench.exe"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
curl -s "$host/_control/reset" > /dev/null
expected="$(curl -s "$host/pkg/md5/$size")"

now() { date +%s.%N; }
start="$(now)"
curl -s -o "$work/curl.bin" "$url"
curl_seconds="$(awk -v a="$start" -v b="$(now)" 'BEGIN { print b - a }')"

folder="Z:${work//\//\\}\\"
read -r own_seconds wininet_seconds < <("$TAVRIN_ROOT/cmake/wine-run.sh" "$TAVRIN_BUILD/bench/download_bench.exe" \
    "$url" "$folder" | tr -d '\r')
for file in curl.bin ydownloader.exe wininet.bin; do
    digest="$(md5sum < "$work/$file" | cut -d' ' -f1)"
    if [ "$digest" != "$expected" ]; then
        echo "download bench: $file has MD5 $digest, the host serves $expected" >&2
        exit 1
    fi
done
awk -v own="$own_seconds" -v inet="$wininet_seconds" -v curl="$curl_seconds" 'BEGIN {
    printf "curl          %8.3f s\nWinInet loop  %8.3f s\nYDownloader   %8.3f s\n", curl, inet, own
    printf "ratio YDownloader / WinInet loop %6.2f\nratio YDownloader / curl         %6.2f\n", own / inet, own / curl
}'
