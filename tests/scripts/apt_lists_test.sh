#!/usr/bin/env bash
# tavrin_apt_update on a system folder of its own: "apt-get update" answers with words recorded from a
# mirror caught mid-sync, and the sources folder it makes for the run must leave out exactly the
# suites and types whose lists failed, keeping everything else of the entries as it stands.
set -euo pipefail
source "$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
root="$work/root"
mkdir -p "$root/tmp" "$root/etc/apt/sources.list.d" "$work/bin"
failures=0
expect_same() { # what expected-file actual-file
    if ! diff -u "$2" "$3"; then
        echo "FAILED: $1"
        failures=$((failures + 1))
    fi
}

# apt-get (run through chroot for a system folder) prints the recorded log and fails as apt does.
cat >"$work/bin/chroot" <<'SH'
#!/usr/bin/env bash
shift
exec "$@"
SH
cat >"$work/bin/apt-get" <<'SH'
#!/usr/bin/env bash
cat "$TEST_APT_LOG"
exit 100
SH
chmod +x "$work/bin/chroot" "$work/bin/apt-get"
export PATH="$work/bin:$PATH" TEST_APT_LOG="$work/update.log"

cat >"$work/update.log" <<'LOG'
Hit:1 http://deb.debian.org/debian bookworm InRelease
Err:6 http://deb.debian.org/debian-security bookworm-security/main i386 Packages
  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]
E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]
   Hashes of expected file:
    - Filesize:376004 [weak]
W: Failed to fetch http://mirror.example/extra/dists/stable/InRelease  Could not connect to mirror.example:80
E: The repository 'http://unsigned.example/debian bookworm Release' is not signed.
E: Some index files failed to download. They have been ignored, or old ones used instead.
LOG

# deb822: a stanza of two types and two suites with a key written out in it; one of another address.
cat >"$root/etc/apt/sources.list.d/debian.sources" <<'SRC'
Types: deb deb-src
# the security suite
URIs: http://deb.debian.org/debian-security/
Suites: bookworm-security bookworm-security-extra
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGPL0BUBEADmW5NdOOHwPIJlgPu6JDcKw/NZJPR2lsD0
 -----END PGP PUBLIC KEY BLOCK-----

Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
SRC
# One-line entries: options in brackets, a suite whose release file failed, an unsigned one.
cat >"$root/etc/apt/sources.list" <<'SRC'
# kept as it is
deb [arch=amd64 signed-by=/usr/share/keyrings/x.gpg] http://mirror.example/extra stable main
deb-src http://mirror.example/extra stable main
deb [ trusted=yes ] http://unsigned.example/debian bookworm main
deb http://deb.debian.org/debian-security bookworm-security main
deb-src http://deb.debian.org/debian-security bookworm-security main
SRC

tavrin_apt_update "$root" 2>"$work/said"
sources="$tavrin_apt_dir/sources"

cat >"$work/expected.sources" <<'SRC'
Types: deb
# the security suite
URIs: http://deb.debian.org/debian-security/
Suites: bookworm-security-extra
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGPL0BUBEADmW5NdOOHwPIJlgPu6JDcKw/NZJPR2lsD0
 -----END PGP PUBLIC KEY BLOCK-----

Types: deb-src
# the security suite
URIs: http://deb.debian.org/debian-security/
Suites: bookworm-security bookworm-security-extra
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGPL0BUBEADmW5NdOOHwPIJlgPu6JDcKw/NZJPR2lsD0
 -----END PGP PUBLIC KEY BLOCK-----

Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main

SRC
expect_same "deb822 entries" "$work/expected.sources" "$sources/sources.list.d/debian.sources"

cat >"$work/expected.list" <<'SRC'
# kept as it is
deb-src http://deb.debian.org/debian-security bookworm-security main
SRC
expect_same "one-line entries" "$work/expected.list" "$sources/sources.list"

cat >"$work/expected.said" <<'SAID'
apt: the lists of http://deb.debian.org/debian-security bookworm-security (deb) did not all arrive; this run leaves them out
apt: the lists of http://mirror.example/extra stable (deb) did not all arrive; this run leaves them out
apt: the lists of http://mirror.example/extra stable (deb-src) did not all arrive; this run leaves them out
apt: the lists of http://unsigned.example/debian bookworm (deb) did not all arrive; this run leaves them out
SAID
expect_same "the suites named" "$work/expected.said" "$work/said"

# The run's apt commands read the folder as the chroot sees it, and the machine's sources are untouched.
expected_options="Dir::Etc::SourceList=${sources#"$root"}/sources.list"
[ "${tavrin_apt_options[1]}" = "$expected_options" ] ||
    { echo "FAILED: options ${tavrin_apt_options[*]}"; failures=$((failures + 1)); }
grep -q 'Suites: bookworm-security bookworm-security-extra' "$root/etc/apt/sources.list.d/debian.sources" ||
    { echo "FAILED: the machine's own sources changed"; failures=$((failures + 1)); }

# Every list arrived: no options, and the folder goes with tavrin_apt_done.
printf 'Hit:1 http://deb.debian.org/debian bookworm InRelease\n' >"$work/update.log"
sed -i 's/^exit 100$/exit 0/' "$work/bin/apt-get"
tavrin_apt_update "$root" 2>"$work/said"
[ ${#tavrin_apt_options[@]} -eq 0 ] && [ ! -s "$work/said" ] ||
    { echo "FAILED: a sound mirror still leaves something out"; failures=$((failures + 1)); }
dir="$tavrin_apt_dir"
tavrin_apt_done
[ ! -e "$dir" ] || { echo "FAILED: the run's folder stays"; failures=$((failures + 1)); }

[ "$failures" = 0 ] && echo "apt lists: all cases passed"
exit "$failures"
