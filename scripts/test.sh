#!/usr/bin/env bash
# Sets everything up, builds, and runs all tests under Wine (headless under Xvfb unless a display is
# present). Extra arguments go to ctest, e.g. -L unit or -R Hash.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
"$TAVRIN_ROOT/scripts/build.sh"
tavrin_go_where_wine_runs "$0" "$@"
source "$TAVRIN_ROOT/scripts/session.sh"
tavrin_session_start
cd "$TAVRIN_BUILD"
ctest --output-on-failure -j "$(nproc)" "$@"
