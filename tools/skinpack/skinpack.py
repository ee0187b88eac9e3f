#!/usr/bin/env python3
"""Packs a folder of skin XML documents and images into a skin database container.

Layout (32-bit little-endian words):
  header:  data start (12 + index length), magic "TVSK", entry count
  index:   stored with every whole word XOR-ed with the key and the constant; restored it holds
           three words (format version, entry count, data length), the title length in UTF-16 units
           (NUL included), the title, then the entries back to back
  entry:   entry size, type (1 = file), data size, CRC-32 of the data, data offset (from the start of
           the container), two zero words, the name in UTF-16LE with its NUL
  data:    the files' bytes, one after another, in the order of their entries

Entry names are the skin folder, a backslash and the file name. The key, the seed, the constant and
the pass phrase must match the reader in skin/model/uiSkinAdmin.cpp.
"""
import argparse
import os
import struct
import sys
import zlib

HASH_SEED = 0x6C3F1A27
INDEX_CONSTANT = 0x93D5B84E
PASS_PHRASE = "Tavrin skin database 2026"
MAGIC = 0x4B535654  # "TVSK"
FORMAT_VERSION = 1
FILE_ENTRY = 1
MAX_TITLE_LENGTH = 259
MASK32 = 0xFFFFFFFF


def hash_password(phrase):
    key = HASH_SEED
    encoded = phrase.encode("utf-16-le")
    for i, unit in enumerate(struct.unpack("<%dH" % (len(encoded) // 2), encoded)):
        step = i % 4
        if step == 0:
            key = (key + unit) & MASK32
        elif step == 1:
            key = (key | (unit << 16)) & MASK32
        elif step == 2:
            key = (key * unit) & MASK32
        else:
            key = (key + (unit << 16)) & MASK32
    return key


def transform(block, key=None):
    """XORs every whole word of the block; the same call restores it. Trailing bytes stay."""
    mask = (hash_password(PASS_PHRASE) if key is None else key) ^ INDEX_CONSTANT
    out = bytearray(block)
    for at in range(0, len(out) - len(out) % 4, 4):
        word = struct.unpack_from("<I", out, at)[0] ^ mask
        struct.pack_into("<I", out, at, word)
    return bytes(out)


def utf16z(text):
    return text.encode("utf-16-le") + b"\0\0"


def entry_record(name, data_size, data_offset, crc, entry_type=FILE_ENTRY):
    encoded = utf16z(name)
    size = 28 + len(encoded)
    return struct.pack("<7I", size, entry_type, data_size, crc, data_offset, 0, 0) + encoded


def build(files, title):
    """files: list of (entry name, bytes). Returns the container's bytes."""
    title_units = len(title.encode("utf-16-le")) // 2 + 1
    if title_units > MAX_TITLE_LENGTH:
        raise ValueError("title longer than %d units" % (MAX_TITLE_LENGTH - 1))
    for name, data in files:
        if not data:
            raise ValueError("empty file %s: an entry needs data inside the container" % name)
    head = struct.pack("<4I", FORMAT_VERSION, len(files), sum(len(d) for _, d in files), title_units) + utf16z(title)
    index_length = len(head) + sum(28 + len(utf16z(name)) for name, _ in files)
    data_start = 12 + index_length
    records, offset = [], data_start
    for name, data in files:
        records.append(entry_record(name, len(data), offset, zlib.crc32(data) & MASK32))
        offset += len(data)
    index = head + b"".join(records)
    assert len(index) == index_length
    header = struct.pack("<3I", data_start, MAGIC, len(files))
    return header + transform(index) + b"".join(data for _, data in files)


def collect(folder, skin_folder):
    files = []
    for file_name in sorted(os.listdir(folder)):
        path = os.path.join(folder, file_name)
        if os.path.isfile(path):
            with open(path, "rb") as f:
                files.append((skin_folder + "\\" + file_name, f.read()))
    return files


def main(argv):
    parser = argparse.ArgumentParser(description="Pack a folder of skin files into a skin database.")
    parser.add_argument("folder")
    parser.add_argument("output")
    parser.add_argument("--title", default="")
    parser.add_argument("--skin-folder", help="entry name prefix (default: the folder's base name)")
    args = parser.parse_args(argv)
    skin_folder = args.skin_folder or os.path.basename(os.path.normpath(args.folder))
    try:
        container = build(collect(args.folder, skin_folder), args.title)
    except (OSError, ValueError) as error:
        print("skinpack: %s" % error, file=sys.stderr)
        return 1
    with open(args.output, "wb") as f:
        f.write(container)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
