#!/usr/bin/env bash
# Runs a command of the project inside the virtual machine of scripts/guest-image.sh, for a machine
# whose kernel refuses 32-bit programs. The clone and the build folder are shared at their own paths,
# so the command sees the same files and leaves its results in them. Its output comes back here, and
# so does its exit code. Every run boots a machine of its own on a throw-away copy of the root disk,
# so runs beside each other share nothing but the folders they were given.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
image="$("$TAVRIN_ROOT/scripts/guest-image.sh" | tail -n 1)"
run="$(mktemp -d "${TMPDIR:-/tmp}/tavrin-guest.XXXXXX")"
trap 'rm -rf "$run"' EXIT

# The command, with the part of the environment the project's scripts read.
export TAVRIN_TIME_SCALE="$(tavrin_time_scale)"
{
    echo "export TAVRIN_IN_GUEST=1"
    export -p | grep -E '^declare -x (TAVRIN_[A-Z_]*|WINEDEBUG|WINEDLLOVERRIDES|CTEST_[A-Z_]*)=' || true
    printf 'cd %q\n' "$PWD"
    printf 'exec'
    printf ' %q' "$@"
    echo
} >"$run/command"

shares=(-virtfs "local,path=$run,mount_tag=run,security_model=none")
add_share() { # tag folder
    printf '%s\t%s\n' "$1" "$2" >>"$run/mounts"
    shares+=(-virtfs "local,path=$2,mount_tag=$1,security_model=none")
}
add_share root "$TAVRIN_ROOT"
mkdir -p "$TAVRIN_BUILD"
build="$(cd "$TAVRIN_BUILD" && pwd)"
case "$build/" in
    "$TAVRIN_ROOT"/*) ;;
    *) add_share build "$build" ;;
esac

# Hardware virtualisation where the machine offers it; otherwise QEMU's own emulation, on every core.
# That emulation faults on a 32-bit program's return from an interrupt while SMAP is on, so the
# emulated processor has none.
if tavrin_kvm_works; then
    accel=("${tavrin_kvm_accel[@]}")
else
    accel=(-accel tcg,thread=multi -cpu max,-smap)
fi
available_mb=$(($(awk '/^MemAvailable:/ { print $2 }' /proc/meminfo) / 1024))
memory_mb=$((available_mb / 2))
[ "$memory_mb" -le 8192 ] || memory_mb=8192
[ "$memory_mb" -ge 2048 ] || memory_mb=2048

# The console carries the command's output between the guest's start and end lines; the rest is the
# firmware's and kernel's, kept in the log for when the machine fails to start.
status=0
qemu-system-x86_64 "${accel[@]}" -smp "$(nproc)" -m "$memory_mb" -nic none -no-reboot \
    -display none -monitor none -serial stdio \
    -kernel "$image/vmlinuz" -initrd "$image/initrd.gz" \
    -append "console=ttyS0 quiet loglevel=1 panic=-1" \
    -drive "file=$image/root.img,if=virtio,format=raw,snapshot=on" "${shares[@]}" </dev/null |
    tee "$run/console.log" |
    sed -u -n 's/\r$//; /^tavrin-guest: started$/,/^tavrin-guest: ended$/{/^tavrin-guest: \(started\|ended\)$/!p}' ||
    status=$?

if [ ! -f "$run/exit-code" ]; then
    echo "guest-run: the virtual machine ended without running the command (QEMU's status $status);" \
        "its console said:" >&2
    tail -n 40 "$run/console.log" >&2
    exit 1
fi
exit "$(cat "$run/exit-code")"
