#!/usr/bin/env python3
"""Writes the skin databases of the administrator tests into the folder given.

Every folder under skins/ is copied to <out>/src/<name> (basic also gets a generated four-frame
command strip, cmd.bmp, and images that no decoder accepts) and packed with the skin packer into
<out>/<name>.skindb. Containers with one field damaged each, built with the packer's own pieces, go to
<out>/bad/<case>.skindb, beside <out>/bad/reference.skindb, which the same builder makes sound.
"""
import os
import shutil
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "skinpack"))
import skinpack  # noqa: E402

# The command strip's four frames, left to right, as (red, green, blue).
FRAME_COLOURS = [(200, 30, 30), (30, 200, 30), (30, 30, 200), (200, 200, 30)]


def bmp24(width, height, pixel):
    """A bottom-up 24-bit BMP; pixel(x, y) gives (r, g, b) with y counted from the top."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = b"".join(bytes((b, g, r)) for r, g, b in (pixel(x, y) for x in range(width)))
        rows.append(row + b"\0" * (stride - len(row)))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info)) + info + pixels


# Images that no decoder accepts, one of each kind: a PNG signature before garbage, an icon directory
# whose only entry points past the end, a GIF header without any frame.
BROKEN_IMAGES = {
    "broken.png": b"\x89PNG\r\n\x1a\n" + b"\x55" * 40,
    "broken.ico": struct.pack("<3H", 0, 1, 1) + struct.pack("<4B2H2I", 32, 32, 0, 0, 1, 32, 4096, 22),
    "broken.gif": b"GIF89a" + struct.pack("<2H3B", 20, 12, 0, 0, 0) + b";",
}


def pack_test_skins(out):
    for name in sorted(os.listdir(os.path.join(HERE, "skins"))):
        source = os.path.join(out, "src", name)
        shutil.copytree(os.path.join(HERE, "skins", name), source)
        if name == "basic":
            with open(os.path.join(source, "cmd.bmp"), "wb") as f:
                f.write(bmp24(96, 8, lambda x, y: FRAME_COLOURS[x // 24]))
            for file_name, data in BROKEN_IMAGES.items():
                with open(os.path.join(source, file_name), "wb") as f:
                    f.write(data)
        title = "测试皮肤 " + name
        if skinpack.main([source, os.path.join(out, name + ".skindb"), "--title", title]) != 0:
            raise SystemExit("packing %s failed" % name)


XML = b'<?xml version="1.0"?><theme><manifest folder="bad"/><uiwindow><window name="bad.style"/></uiwindow></theme>'


def container(title_units=None, title=b"T\0i\0\0\0", entries=None, data=XML, data_start=None, key=None):
    """A container with one XML entry unless entries (a function of the data start) is given."""
    units = len(title) // 2 if title_units is None else title_units
    head = struct.pack("<4I", 1, 1, len(data), units) + title
    record = skinpack.entry_record("bad\\a.xml", len(data), 0, 0)
    start = 12 + len(head) + len(record)
    body = entries(start) if entries else skinpack.entry_record("bad\\a.xml", len(data), start, 0)
    index = head + body
    first = 12 + len(index) if data_start is None else data_start
    return struct.pack("<3I", first, skinpack.MAGIC, 1) + skinpack.transform(index, key) + data


def record(size=None, name=b"b\0a\0d\0\\\0a\0.\0x\0m\0l\0\0\0", data_size=len(XML), offset=None, entry_type=1):
    def make(start):
        fixed = struct.pack("<7I", 28 + len(name) if size is None else size, entry_type, data_size, 0,
                            start if offset is None else offset, 0, 0)
        return fixed + name
    return make


def write_bad_containers(out):
    folder = os.path.join(out, "bad")
    os.makedirs(folder)
    cases = {
        "reference": container(),
        "short_header": b"\x20\0\0\0\0\0",
        "first_word_below_12": struct.pack("<3I", 11, 0, 0) + b"\0" * 64,
        "index_longer_than_data": container(data_start=4096),
        "index_too_short_for_title": struct.pack("<3I", 20, 0, 0) + skinpack.transform(b"\0" * 8) + XML,
        "title_length_0": container(title_units=0),
        "title_length_260": container(title_units=260, title=b"x\0" * 259 + b"\0\0"),
        "title_past_block": container(title_units=200, entries=lambda start: b""),
        "title_not_terminated": container(title=b"T\0i\0x\0"),
        "entry_size_zero": container(entries=record(size=0)),
        "entry_size_below_fixed_part": container(entries=record(size=20)),
        "entry_size_past_block": container(entries=record(size=28 + 20 + 4)),
        "name_without_terminator": container(entries=record(name=b"b\0a\0d\0x\0m\0l\0")),
        "offset_plus_size_wraps": container(entries=record(offset=0xFFFFFF00, data_size=0x200)),
        "data_past_container": container(entries=lambda start: record(data_size=len(XML) + 1)(start)),
        "wrong_password": container(key=skinpack.hash_password("another phrase")),
    }
    for name, data in cases.items():
        with open(os.path.join(folder, name + ".skindb"), "wb") as f:
            f.write(data)


def main(out):
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    pack_test_skins(out)
    write_bad_containers(out)


if __name__ == "__main__":
    main(sys.argv[1])
