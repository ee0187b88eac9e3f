#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (run as root; a no-op when all are there).
set -euo pipefail
packages=(
    cmake make bison dpkg-dev g++ g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev
    binutils-mingw-w64-i686 wine wine32:i386 xvfb xauth xdotool x11-apps fonts-wqy-microhei python3
    python3-cryptography imagemagick libjpeg-turbo-progs rhash openssl zip unzip libdigest-md2-perl
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
apt-get update -q
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
