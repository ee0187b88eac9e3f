#!/usr/bin/env bash
# Sets everything up (packages when root, dependencies, Wine prefix) and builds into $TAVRIN_BUILD.
# Inside the virtual machine of a machine whose kernel refuses 32-bit programs, the host has built
# already, so only the Wine prefix is made there.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
if [ "${TAVRIN_IN_GUEST:-0}" != 1 ]; then
    if [ "$(id -u)" = 0 ]; then
        "$TAVRIN_ROOT/scripts/install-packages.sh"
    fi
    # Where Wine runs in the virtual machine, its image comes first: how fast that machine runs sets
    # the tests' time limits.
    tavrin_wine_runs_here || "$TAVRIN_ROOT/scripts/guest-image.sh" >/dev/null
    deps="$("$TAVRIN_ROOT/scripts/build-deps.sh" | tail -n 1)"
    cmake -S "$TAVRIN_ROOT" -B "$TAVRIN_BUILD" -DCMAKE_TOOLCHAIN_FILE="$TAVRIN_ROOT/cmake/mingw-i686.cmake" \
        -DTAVRIN_DEPS="$deps" -DCMAKE_BUILD_TYPE="${TAVRIN_BUILD_TYPE:-RelWithDebInfo}" \
        -DTAVRIN_TEST_TIME_SCALE="$(tavrin_time_scale)" "$@" >/dev/null
    # TAVRIN_JOBS bounds the build's parallel jobs on a shared machine.
    cmake --build "$TAVRIN_BUILD" -j "${TAVRIN_JOBS:-$(nproc)}"
fi
# Where Wine runs in the virtual machine, that machine makes the prefix itself.
tavrin_wine_runs_here || exit 0
"$TAVRIN_ROOT/scripts/wine-prefix.sh"
# URLs the programs open go to the browser stand-in of the build, never to a real browser.
"$TAVRIN_ROOT/scripts/register-browser.sh"
