#!/usr/bin/python3
"""Writes the ZIP archives of the extractor tests, and the files the good one holds, into a folder."""
import os
import random
import sys
import zipfile

out = sys.argv[1]
os.makedirs(os.path.join(out, "expected", "dir", "sub"), exist_ok=True)
os.makedirs(os.path.join(out, "expected", "empty"), exist_ok=True)
rand = random.Random(5)
files = {
    "a.txt": b"stored text\r\n",
    "dir/sub/b.bin": bytes(rand.getrandbits(8) for _ in range(50000)) + b"z" * 100000,
}
for name, data in files.items():
    with open(os.path.join(out, "expected", *name.split("/")), "wb") as f:
        f.write(data)

with zipfile.ZipFile(os.path.join(out, "good.zip"), "w") as z:
    z.writestr(zipfile.ZipInfo("a.txt"), files["a.txt"], compress_type=zipfile.ZIP_STORED)
    z.writestr("dir/sub/b.bin", files["dir/sub/b.bin"], compress_type=zipfile.ZIP_DEFLATED)
    z.writestr(zipfile.ZipInfo("empty/"), b"")

for archive, name in (("slip.zip", "../evil.txt"), ("deepslip.zip", "dir/../../evil.txt"),
                      ("absolute.zip", "/evil.txt"), ("drive.zip", "C:/evil.txt")):
    with zipfile.ZipFile(os.path.join(out, archive), "w") as z:
        z.writestr("ok.txt", b"fine")
        z.writestr(zipfile.ZipInfo(name), b"evil")

with zipfile.ZipFile(os.path.join(out, "badcrc.zip"), "w") as z:
    z.writestr(zipfile.ZipInfo("a.txt"), files["a.txt"], compress_type=zipfile.ZIP_STORED)
data = bytearray(open(os.path.join(out, "badcrc.zip"), "rb").read())
at = data.find(b"stored text")
data[at] ^= 0x20
open(os.path.join(out, "badcrc.zip"), "wb").write(bytes(data))


def patched(source, target, edit):
    data = bytearray(open(os.path.join(out, source), "rb").read())
    edit(data)
    open(os.path.join(out, target), "wb").write(bytes(data))


def central_directory_far_away(data):
    end = data.rfind(b"PK\x05\x06")
    data[end + 16:end + 20] = (0xFFFFFFFE).to_bytes(4, "little")


def packed_size_past_the_end(data):
    # Compressed size 0xFFFFFFFF in both headers of the deflated entry: the data it names runs
    # far past the end of the archive.
    for signature, field, length_at, name_at in ((b"PK\x03\x04", 18, 26, 30), (b"PK\x01\x02", 20, 28, 46)):
        at = data.find(signature)
        while at >= 0:
            length = int.from_bytes(data[at + length_at:at + length_at + 2], "little")
            if data[at + name_at:at + name_at + length] == b"dir/sub/b.bin":
                data[at + field:at + field + 4] = b"\xff\xff\xff\xff"
            at = data.find(signature, at + 4)


patched("good.zip", "faroffset.zip", central_directory_far_away)
patched("good.zip", "longpacked.zip", packed_size_past_the_end)
