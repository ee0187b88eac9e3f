#!/usr/bin/env bash
# The installer's skin: loading its database from the embedded resource (both passes, every style)
# and painting the main view's look, against parsing the same XML documents with TinyXML alone, in
# one run under Wine. Prints both medians of 25 rounds and their ratio (ours / TinyXML).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/env.sh"
read -r load parse < <("$TAVRIN_ROOT/cmake/wine-run.sh" "$TAVRIN_BUILD/bench/skin_load_bench.exe" | tr -d '\r')
printf 'TinyXML parse     %8.3f ms\nload and paint    %8.3f ms (under Wine)\nratio             %8.2f\n' \
    "$parse" "$load" "$(awk -v a="$load" -v b="$parse" 'BEGIN { print a / b }')"
