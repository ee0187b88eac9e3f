#!/usr/bin/python3
"""Writes PNG files of every colour type and bit depth, each without transparency, with tRNS or with
an alpha channel, with and without bKGD, and with no gamma chunk, gAMA 1.0, gAMA 1/1.8 or sRGB.

Usage: make_png_matrix.py FOLDER

The files come in groups that differ only in their gamma chunk; the member without one is the
group's oracle copy, which ImageMagick (called by the caller) composes in the stored values, as the
decoder must. FOLDER/matrix.txt lists one file per line: its name, its oracle's name, the 8-bit
background colour "r,g,b" its transparency is composed over, and 1 when its pixels are 32 bits wide
(alpha kept) else 0.
"""
import struct
import sys
import zlib

WIDTH, HEIGHT = 11, 6
GREY = (192, 192, 192)
GAMMAS = {
    "nogamma": [],
    "gama1": [(b"gAMA", struct.pack(">I", 100000))],
    "gama18": [(b"gAMA", struct.pack(">I", 55556))],
    "srgb": [(b"sRGB", bytes((0,)))],
}


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def pack_row(samples, depth):
    """One scanline's samples at the bit depth, behind its filter byte 0."""
    if depth == 16:
        return b"\0" + b"".join(struct.pack(">H", s) for s in samples)
    if depth == 8:
        return b"\0" + bytes(samples)
    out, bits, used = bytearray(), 0, 0
    for s in samples:
        bits = (bits << depth) | s
        used += depth
        if used == 8:
            out.append(bits)
            bits = used = 0
    if used:
        out.append(bits << (8 - used))
    return b"\0" + bytes(out)


def write_png(path, depth, colour_type, rows, chunks):
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", WIDTH, HEIGHT, depth, colour_type, 0, 0, 0))
    data += b"".join(chunk(kind, body) for kind, body in chunks)
    data += chunk(b"IDAT", zlib.compress(b"".join(pack_row(r, depth) for r in rows))) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def level(x, y, depth, salt):
    """A sample that varies over the image and reaches both ends of the range."""
    top = (1 << depth) - 1
    if (x + y) % 7 == 0:
        return top if (x + salt) % 2 else 0
    if depth >= 8:
        return (x * 5923 + y * 9157 + salt * 4099) % (top + 1)
    return (x + 3 * y + salt) % (top + 1)


def to8(value, depth):
    return value * 255 // ((1 << depth) - 1) if depth < 16 else value // 257


def grey_images(depth):
    rows = [[level(x, y, depth, 0) for x in range(WIDTH)] for y in range(HEIGHT)]
    # The background differs from the transparent level, so that composing shows.
    kbkgd = ((1 << depth) - 1) * 2 // 3 if depth < 8 else (70 if depth == 8 else 70 * 257)
    bkgd = (b"bKGD", struct.pack(">H", kbkgd))
    yield "gray%d-opaque" % depth, depth, 0, rows, [], bkgd, (to8(kbkgd, depth),) * 3
    yield "gray%d-trns" % depth, depth, 0, rows, [(b"tRNS", struct.pack(">H", rows[0][1]))], bkgd, \
        (to8(kbkgd, depth),) * 3


def grey_alpha_images(depth):
    rows = [sum(([level(x, y, depth, 1), level(x, y, depth, 2)] for x in range(WIDTH)), []) for y in range(HEIGHT)]
    bkgd = (b"bKGD", struct.pack(">H", 70 if depth == 8 else 70 * 257))
    yield "graya%d-alpha" % depth, depth, 4, rows, [], bkgd, (70, 70, 70)


def rgb_images(depth, alpha):
    channels = 4 if alpha else 3
    rows = [sum(([level(x, y, depth, c) for c in range(channels)] for x in range(WIDTH)), []) for y in range(HEIGHT)]
    scale = 1 if depth == 8 else 257
    bkgd = (b"bKGD", struct.pack(">HHH", 30 * scale, 140 * scale, 220 * scale))
    if alpha:
        yield "rgba%d-alpha" % depth, depth, 6, rows, [], bkgd, (30, 140, 220)
        return
    yield "rgb%d-opaque" % depth, depth, 2, rows, [], bkgd, (30, 140, 220)
    yield "rgb%d-trns" % depth, depth, 2, rows, [(b"tRNS", struct.pack(">HHH", *rows[0][3:6]))], bkgd, \
        (30, 140, 220)


def palette_images(depth):
    entries = min(1 << depth, 200)
    palette = [((i * 97) % 256, (i * 57 + 30) % 256, (255 - i * 31) % 256) for i in range(entries)]
    rows = [[(x + 2 * y) % entries for x in range(WIDTH)] for y in range(HEIGHT)]
    plte = (b"PLTE", b"".join(bytes(p) for p in palette))
    bkgd = (b"bKGD", bytes((entries - 1,)))
    yield "pal%d-opaque" % depth, depth, 3, rows, [plte], bkgd, palette[-1]
    yield "pal%d-trns" % depth, depth, 3, rows, [plte, (b"tRNS", bytes((0, 128, 255, 60)[:entries]))], bkgd, \
        palette[-1]


def matrix():
    """(name, depth, colour type, rows, chunks, 8-bit background, pixels 32 bits wide) of each file
    before its gamma chunk, without and with bKGD."""
    kinds = [grey_images(d) for d in (1, 2, 4, 8, 16)] + [grey_alpha_images(d) for d in (8, 16)]
    kinds += [rgb_images(d, a) for d in (8, 16) for a in (False, True)]
    kinds += [palette_images(d) for d in (1, 2, 4, 8)]
    for kind in kinds:
        for name, depth, colour_type, rows, chunks, bkgd, background in kind:
            channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour_type]
            wide = channels * depth == 32
            yield name, depth, colour_type, rows, chunks, GREY, wide
            yield name + "-bkgd", depth, colour_type, rows, chunks + [bkgd], background, wide


def main():
    folder = sys.argv[1]
    lines = []
    for base, depth, colour_type, rows, chunks, background, wide in matrix():
        for gamma, gamma_chunks in GAMMAS.items():
            name = "%s-%s" % (base, gamma)
            # Gamma chunks stand before PLTE, as the format asks.
            write_png("%s/%s.png" % (folder, name), depth, colour_type, rows, gamma_chunks + chunks)
            lines.append("%s %s-nogamma %s %d" % (name, base, ",".join(map(str, background)), wide))
    with open(folder + "/matrix.txt", "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
