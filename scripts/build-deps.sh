#!/usr/bin/env bash
# Builds the third-party libraries for i686-w64-mingw32 from Debian's source packages into a prefix
# outside the clone. The prefix is keyed by this script's content, so a second run is a no-op.
# Prints the prefix on its last line.
set -euo pipefail

script="$(readlink -f "${BASH_SOURCE[0]}")"
key="$(sha256sum "$script" | cut -c1-16)"
cache_root="${TAVRIN_DEPS_CACHE:-/var/cache/tavrin-deps}"
prefix="$cache_root/$key"
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

# Pinned source versions; later entries are fallbacks for when the mirror has dropped an older upload.
sources=(
    "boost1.81 1.81.0-5+deb12u1"
    "libcrypto++ 8.7.0+git220824-1"
    "curl 7.88.1-10+deb12u15 7.88.1-10+deb12u5"
    "tinyxml 2.6.2-6+deb12u1"
    "libpng1.6 1.6.39-2+deb12u6 1.6.39-2+deb12u5"
    "libjpeg-turbo 1:2.1.5-2"
    "zlib 1:1.2.13.dfsg-1+deb12u1 1:1.2.13.dfsg-1"
    "googletest 1.12.1-0.2"
)

host=i686-w64-mingw32
export CC=$host-gcc-posix CXX=$host-g++-posix AR=$host-ar RANLIB=$host-ranlib
jobs="$(nproc)"
toolchain="$(dirname "$script")/../cmake/mingw-i686.cmake"
toolchain="$(readlink -f "$toolchain")"
source "$(dirname "$script")/apt.sh"
trap tavrin_apt_done EXIT

ensure_deb_src() {
    if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        local src=/etc/apt/sources.list.d/debian.sources
        if [ -f "$src" ]; then
            sed 's/^Types: deb$/Types: deb-src/' "$src" > /etc/apt/sources.list.d/tavrin-deb-src.sources
        else
            sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > /etc/apt/sources.list.d/tavrin-deb-src.list
        fi
        # Only the source lists matter here: a suite whose binary lists fail is left out, not a stop.
        tavrin_apt_update
    fi
}

fetch_sources() {
    local entry name version got
    for entry in "${sources[@]}"; do
        read -r name versions <<<"$entry"
        got=""
        for version in $versions; do
            if apt-get "${tavrin_apt_options[@]}" source -q "$name=$version" >"$work/$name.fetch.log" 2>&1
            then
                got=1
                break
            fi
        done
        if [ -z "$got" ]; then
            echo "build-deps: no pinned source of $name is on the mirror; taking the newest one there" >&2
            apt-get "${tavrin_apt_options[@]}" source -q "$name" >"$work/$name.fetch.log" 2>&1
        fi
    done
}

cmake_build() { # dir, extra cmake args...
    local dir="$1"; shift
    cmake -S "$dir" -B "$dir/_build" -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DTAVRIN_DEPS="$stage" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$stage" \
        -DBUILD_SHARED_LIBS=OFF "$@" >"$dir/_configure.log"
    cmake --build "$dir/_build" -j "$jobs" >"$dir/_build.log"
    cmake --install "$dir/_build" >"$dir/_install.log"
}

build_zlib() {
    # Debian's zlib source drops the win32/ folder that zlib's own build wants, so compile it directly.
    local dir; dir="$(echo zlib-*/)"
    local objs=()
    for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate \
             inftrees trees uncompr zutil; do
        $CC -O2 -c "$dir/$f.c" -o "$dir/$f.o"
        objs+=("$dir/$f.o")
    done
    $AR rcs "$stage/lib/libz.a" "${objs[@]}"
    cp "$dir/zlib.h" "$dir/zconf.h" "$stage/include/"
}

build_png() {
    cmake_build libpng1.6-*/ -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DPNG_TOOLS=OFF \
        -DZLIB_ROOT="$stage" -DZLIB_LIBRARY="$stage/lib/libz.a" -DZLIB_INCLUDE_DIR="$stage/include"
}

build_jpeg() {
    cmake_build libjpeg-turbo-*/ -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF \
        -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF -DCMAKE_INSTALL_DEFAULT_LIBDIR=lib
}

build_tinyxml() {
    local dir; dir="$(echo tinyxml-*/)"
    local objs=()
    for f in tinyxml tinystr tinyxmlerror tinyxmlparser; do
        $CXX -O2 -DTIXML_USE_STL -c "$dir/$f.cpp" -o "$dir/$f.o"
        objs+=("$dir/$f.o")
    done
    $AR rcs "$stage/lib/libtinyxml.a" "${objs[@]}"
    cp "$dir/tinyxml.h" "$dir/tinystr.h" "$stage/include/"
}

build_curl() {
    cmake_build curl-*/ -DHTTP_ONLY=ON -DCURL_USE_OPENSSL=OFF -DCURL_USE_SCHANNEL=OFF -DCURL_ZLIB=OFF \
        -DBUILD_CURL_EXE=OFF -DBUILD_TESTING=OFF -DCURL_USE_LIBSSH2=OFF -DUSE_LIBIDN2=OFF \
        -DCURL_USE_LIBPSL=OFF -DUSE_NGHTTP2=OFF -DENABLE_THREADED_RESOLVER=ON -DCURL_DISABLE_LDAP=ON \
        -DENABLE_UNIX_SOCKETS=OFF -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF -DENABLE_MANUAL=OFF
}

build_cryptopp() {
    local dir; dir="$(echo libcrypto++-*/)"
    # dll.cpp instantiates, for Crypto++'s own DLL, the templates of every algorithm in one object, so a
    # static link that needs one of them (the CFB mode does) takes all of them, RSA, DSA and elliptic
    # curves included: 0.6 MB of the installer. Instead each header that declares instantiations gets
    # an object of its own; these go into the archive from the smallest up, since the linker takes the
    # first object that has a symbol it needs.
    local header objects
    for header in $(cd "$dir" && grep -l TEMPLATE_CLASS -- *.h | grep -v '^config\|^dll\.h$'); do
        printf '#define CRYPTOPP_MANUALLY_INSTANTIATE_TEMPLATES\n#include "%s"\n' "$header" \
            >"$dir/instantiate_${header%.h}.cpp"
    done
    rm "$dir/dll.cpp"
    make -C "$dir" -f GNUmakefile -j "$jobs" static CXXFLAGS="-O2 -DNDEBUG" >"$dir/_build.log" 2>&1
    mapfile -t objects < <(cd "$dir" && ls -Sr instantiate_*.o)
    (cd "$dir" && $AR d libcrypto++.a "${objects[@]}" && $AR q libcrypto++.a "${objects[@]}" && $RANLIB libcrypto++.a)
    mkdir -p "$stage/include/cryptopp"
    cp "$dir"/*.h "$stage/include/cryptopp/"
    cp "$dir/libcrypto++.a" "$stage/lib/libcryptopp.a"
}

build_boost() {
    local dir; dir="$(readlink -f boost1.*/)"
    # b2's grammar is generated, and its bootstrap must use the build machine's compiler.
    (cd "$dir/tools/build/src/engine" && bison -y -d -o jamgram.cpp jamgram.y >/dev/null 2>&1 || true)
    (cd "$dir" && env -u CC -u CXX -u AR -u RANLIB ./bootstrap.sh --with-libraries=thread,system >_bootstrap.log 2>&1)
    echo "using gcc : mingw : $CXX : <archiver>$AR <ranlib>$RANLIB ;" > "$dir/user-config.jam"
    (cd "$dir" && ./b2 -j "$jobs" --user-config=user-config.jam toolset=gcc-mingw target-os=windows \
        address-model=32 architecture=x86 threadapi=win32 link=static runtime-link=static variant=release \
        threading=multi --layout=system --with-thread --with-system --prefix="$stage" install \
        >_b2.log 2>&1)
}

build_gtest() {
    cmake_build googletest-*/ -Dgtest_disable_pthreads=ON -DINSTALL_GTEST=ON -DBUILD_GMOCK=ON
}

ensure_deb_src
mkdir -p "$cache_root"
work="$(mktemp -d "$cache_root/work.XXXXXX")"
stage="$work/prefix"
mkdir -p "$stage/lib" "$stage/include"
trap 'echo "build-deps: failed; logs are in $work" >&2' ERR
cd "$work"
fetch_sources
for step in zlib png jpeg tinyxml curl cryptopp boost gtest; do
    echo "build-deps: $step" >&2
    "build_$step"
done
touch "$stage/.complete"
rm -rf "$prefix"
mv "$stage" "$prefix"
cd /
rm -rf "$work"
echo "$prefix"
