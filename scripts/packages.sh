# Sourced: the Debian packages the project needs.
# To build (the MinGW cross compiler and what the dependency build and the resource tools use).
tavrin_build_packages=(
    cmake make bison dpkg-dev g++ g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev
    binutils-mingw-w64-i686
)
# To run the programs, the tests and the benchmarks: Wine's 32-bit side, a display, the font, the test
# service, and the tools the tests check their results with.
tavrin_run_packages=(
    wine wine32:i386 xvfb xauth xdotool x11-apps fonts-wqy-microhei python3 python3-cryptography
    imagemagick libjpeg-turbo-progs rhash openssl zip unzip libdigest-md2-perl curl
)
# Where the machine's kernel refuses 32-bit programs: what makes and starts the virtual machine.
tavrin_guest_packages=(qemu-system-x86 debootstrap busybox-static e2fsprogs)
# Inside that virtual machine, besides the run packages: ctest, the process tools the scripts use, and
# objdump for the test of the statistics module's exports.
tavrin_guest_only_packages=(cmake procps binutils-mingw-w64-i686)
