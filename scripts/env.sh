# Sourced by the other scripts: where the dependency prefix, the Wine prefix and the build live.
TAVRIN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export TAVRIN_ROOT
# ctest hands its tests the build folder as TAVRIN_BINARY_DIR.
export TAVRIN_BUILD="${TAVRIN_BUILD:-${TAVRIN_BINARY_DIR:-$TAVRIN_ROOT/build}}"
# The Wine prefix template is made once per machine under this folder (scripts/wine-prefix.sh).
export TAVRIN_WINE_CACHE="${TAVRIN_WINE_CACHE:-/var/cache/tavrin-wine}"
# Each build folder runs in a prefix of its own, copied from the template, so that builds beside each
# other never share windows, files, registry or wineserver.
export WINEPREFIX="${TAVRIN_WINEPREFIX:-$TAVRIN_BUILD/wine-prefix}"
# Wine maps file names to the Unix side through the locale's character set: Chinese names need UTF-8,
# whatever locale (or none) the machine has.
export LC_ALL=C.UTF-8
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# True where Wine's 32-bit loader starts. A kernel that refuses 32-bit programs answers "Exec format
# error"; there the programs run in a virtual machine instead (scripts/guest-run.sh).
tavrin_wine_runs_here() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# Called by a script with its own path and arguments: where Wine cannot run, runs the script again
# inside the virtual machine and ends with its status; where it can, returns.
tavrin_go_where_wine_runs() { # script argument ...
    tavrin_wine_runs_here || exec "$TAVRIN_ROOT/scripts/guest-run.sh" "$@"
}

# How many times slower than natively the programs run: QEMU's emulation without hardware
# virtualisation costs about five times. The tests stretch their time limits and the bounds on their
# waits by as much (these only guard against hangs). The virtual machine is told the host's answer.
tavrin_time_scale() {
    if [ -n "${TAVRIN_TIME_SCALE:-}" ]; then
        echo "$TAVRIN_TIME_SCALE"
    elif tavrin_wine_runs_here || [ -w /dev/kvm ]; then
        echo 1
    else
        echo 5
    fi
}
