#!/usr/bin/env bash
# Builds, then runs every benchmark script bench/*.sh (or those named as arguments) in one session.
# Each prints its timings and the ratio against a reference measured in the same run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
"$TAVRIN_ROOT/scripts/build.sh"
tavrin_go_where_wine_runs "$0" "$@"
source "$TAVRIN_ROOT/scripts/session.sh"
tavrin_session_start
if [ $# -gt 0 ]; then benches=("$@"); else benches=("$TAVRIN_ROOT"/bench/*.sh); fi
for bench in "${benches[@]}"; do
    echo "== $(basename "$bench")"
    bash "$bench"
done
