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
