#!/usr/bin/env bash
# The installer's start-up to its first visible window (skin load included), against two references
# started the same way, in one run under Wine: the install view's own dialog template without the
# skin (its controls, Chinese texts and fonts; bench/install_template.cpp), and a bare dialog
# without text. The medians of 21 starts of each, taken in turn (each round begins with the next
# program), and the installer's ratio to each.
# The local service answers the version query as for a fresh install, so the installer's first
# window is its install view. Then the phases of the installer's start-up, medians of as many
# starts under the bench's debugger loop, which timestamps the installer's start-up marks (sent
# only while a debugger is present) up to the first paint. Last, the executable's size stripped of
# symbols and debug information, as it ships, and the share of its resources, code and unwind tables.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/env.sh"
source "$TAVRIN_BUILD/service-ports.env"
host="http://127.0.0.1:$TAVRIN_SERVICE_PORT"
curl -s "$host/_control/reset" > /dev/null
curl -s "$host/_control/set?version.newest=2.5.1.300" > /dev/null
"$TAVRIN_ROOT/cmake/wine-run.sh" reg delete \
    'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Tavrin装机版' /f > /dev/null 2>&1 || true
winpath() { echo "Z:${1//\//\\}"; }
echo "load before: $(cut -d ' ' -f 1-3 /proc/loadavg)"
output="$("$TAVRIN_ROOT/cmake/wine-run.sh" "$TAVRIN_BUILD/bench/startup_bench.exe" 21 \
    "$(winpath "$TAVRIN_BUILD/installer/TavrinInstaller.exe")" "$(winpath "$TAVRIN_BUILD/bench/install_template.exe")" \
    "$(winpath "$TAVRIN_BUILD/bench/bare_dialog.exe")" | tr -d '\r')"
read -r installer template bare <<< "$(head -n 1 <<< "$output")"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
printf 'bare dialog       %8.1f ms\n' "$bare"
printf 'install template  %8.1f ms (the install view unskinned)\n' "$template"
printf 'installer         %8.1f ms (first visible window, skin load included)\n' "$installer"
printf 'ratio to template %8s\nratio to bare     %8s\n' "$(ratio "$installer" "$template")" "$(ratio "$installer" "$bare")"
echo "installer phases (medians under the debugger loop):"
tail -n +2 <<< "$output"
echo "load after: $(cut -d ' ' -f 1-3 /proc/loadavg)"
stripped="$(mktemp)"
trap 'rm -f "$stripped"' EXIT
i686-w64-mingw32-strip -o "$stripped" "$TAVRIN_BUILD/installer/TavrinInstaller.exe"
section_size() { printf '%d' "0x$(i686-w64-mingw32-objdump -h "$stripped" | awk -v name="$1" '$2 == name { print $3 }')"; }
megabytes() { awk -v bytes="$1" 'BEGIN { printf "%.2f MB", bytes / 1e6 }'; }
echo "installer stripped $(megabytes "$(stat -c %s "$stripped")"): resources $(megabytes "$(section_size .rsrc)")," \
    "code $(megabytes "$(section_size .text)"), unwind tables $(megabytes "$(section_size .eh_frame)")"
