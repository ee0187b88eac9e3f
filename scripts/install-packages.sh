#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (run as root; a no-op when all are there),
# and, where Wine's 32-bit side cannot run on this kernel, those that make the virtual machine it
# runs in instead.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
source "$TAVRIN_ROOT/scripts/packages.sh"
source "$TAVRIN_ROOT/scripts/apt.sh"
trap tavrin_apt_done EXIT

install() { # package ...
    local p missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    [ -n "${tavrin_apt_dir:-}" ] || tavrin_apt_update
    tavrin_apt_install / "${missing[@]}"
}

install "${tavrin_build_packages[@]}" "${tavrin_run_packages[@]}"
tavrin_wine_runs_here || install "${tavrin_guest_packages[@]}"
