#!/usr/bin/env bash
# Sets everything up (packages when root, dependencies, Wine prefix) and builds into $TAVRIN_BUILD.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
if [ "$(id -u)" = 0 ]; then
    "$TAVRIN_ROOT/scripts/install-packages.sh"
fi
deps="$("$TAVRIN_ROOT/scripts/build-deps.sh" | tail -n 1)"
cmake -S "$TAVRIN_ROOT" -B "$TAVRIN_BUILD" -DCMAKE_TOOLCHAIN_FILE="$TAVRIN_ROOT/cmake/mingw-i686.cmake" \
    -DTAVRIN_DEPS="$deps" -DCMAKE_BUILD_TYPE="${TAVRIN_BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
# TAVRIN_JOBS bounds the build's parallel jobs on a shared machine.
cmake --build "$TAVRIN_BUILD" -j "${TAVRIN_JOBS:-$(nproc)}"
# The prefix after the build: a machine that cannot run Wine still shows whether the code builds.
"$TAVRIN_ROOT/scripts/wine-prefix.sh"
# URLs the programs open go to the browser stand-in of the build, never to a real browser.
"$TAVRIN_ROOT/scripts/register-browser.sh"
