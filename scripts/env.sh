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
    elif tavrin_wine_runs_here || tavrin_kvm_works; then
        echo 1
    else
        echo 5
    fi
}

# How QEMU runs the virtual machine on hardware virtualisation.
tavrin_kvm_accel=(-accel kvm -cpu host)

# True where a virtual machine starts on hardware virtualisation. Some hosts offer a /dev/kvm on which
# none does (QEMU stops on a processor register the host refuses, or the machine never runs), so the
# image's kernel is started there once, without a disk: it stops at once with a panic. The answer is
# kept beside the image.
tavrin_kvm_works() {
    [ -w /dev/kvm ] || return 1
    local image answer
    image="$("$TAVRIN_ROOT/scripts/guest-image.sh" | tail -n 1)" || return 1
    answer="$image/kvm-works"
    if [ ! -f "$answer" ]; then
        local works=no
        if timeout 60 qemu-system-x86_64 "${tavrin_kvm_accel[@]}" -m 256 -nic none -no-reboot -display none \
            -monitor none -serial stdio -kernel "$image/vmlinuz" -append "console=ttyS0 panic=-1" \
            </dev/null 2>/dev/null | grep -q 'Kernel panic'; then
            works=yes
        fi
        [ "$works" = yes ] || echo "env: hardware virtualisation does not start a machine here;" \
            "the virtual machine runs on QEMU's emulation" >&2
        echo "$works" >"$answer" 2>/dev/null || true
        [ "$works" = yes ]
        return
    fi
    [ "$(cat "$answer")" = yes ]
}
