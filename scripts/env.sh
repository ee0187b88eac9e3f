# Sourced by the other scripts: where the dependency prefix, the Wine prefix and the build live.
TAVRIN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export TAVRIN_ROOT
export TAVRIN_BUILD="${TAVRIN_BUILD:-$TAVRIN_ROOT/build}"
export WINEPREFIX="${TAVRIN_WINEPREFIX:-/var/cache/tavrin-wine/prefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
