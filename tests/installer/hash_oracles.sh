#!/usr/bin/env bash
# Writes the hashing test's input files into the folder given as $1, and beside them digests.txt:
# one line "file algorithm digest" per file and algorithm, computed by independent Linux tools
# (coreutils, rhash, Perl's Digest::MD2, Python's zlib). The sizes sit on both sides of the
# 64/128-byte blocks and of the 2048- and 16000-byte reading chunks.
set -euo pipefail
out="$1"
rm -rf "$out"
mkdir -p "$out"
cd "$out"

for size in 0 1 3 55 56 63 64 111 112 127 128 2047 2048 2049 15999 16000 16001 32000 100003; do
    head -c "$size" /dev/urandom > "data-$size.bin"
done
# A name outside every ANSI code page (Chinese and Thai), for the wide-path way.
head -c 5000 /dev/urandom > "安装包ไทย.bin"
# A text whose CRC-32 is below 0x10000000, so its digits start with a zero.
/usr/bin/python3 - <<'PY'
import itertools, zlib
for n in itertools.count():
    text = b"tavrin-%d" % n
    if zlib.crc32(text) < 0x10000000:
        open("crc-leading-zero.txt", "wb").write(text)
        break
PY

for file in *.bin *.txt; do
    {
        echo "$file md5 $(md5sum < "$file" | cut -d' ' -f1)"
        echo "$file sha1 $(sha1sum < "$file" | cut -d' ' -f1)"
        echo "$file sha256 $(sha256sum < "$file" | cut -d' ' -f1)"
        echo "$file sha384 $(sha384sum < "$file" | cut -d' ' -f1)"
        echo "$file sha512 $(sha512sum < "$file" | cut -d' ' -f1)"
        echo "$file md4 $(rhash --md4 -p '%x{md4}' "$file")"
        # GOST R 34.11-94 with the standard's test parameter S-boxes (not the CryptoPro set).
        echo "$file gost94 $(rhash --gost94 -p '%x{gost94}' "$file")"
        echo "$file md2 $(perl -MDigest::MD2 -e 'open(my $f, "<:raw", $ARGV[0]) or die; local $/; my $d = <$f>; print Digest::MD2::md2_hex($d // "")' "$file")"
        echo "$file crc32 $(/usr/bin/python3 -c 'import sys, zlib; print("%08x" % zlib.crc32(open(sys.argv[1], "rb").read()))' "$file")"
    } >> digests.tmp
done
mv digests.tmp digests.txt
