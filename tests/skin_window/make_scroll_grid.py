#!/usr/bin/env python3
"""Writes the scroll-bar image grid of the scroll window tests as a 24-bit BMP.

Cells are WIDTH x HEIGHT with GAP pixels between them: four state columns, eleven part rows. Every
cell is one colour, RGB(20 * row + 10, 60 * column + 15, 100 * band + 20), where band is 1 except in
the two thumb rows: there the first SPLIT rows (vertical thumb, row 7) or columns (horizontal thumb,
row 2) are band 0 and the last SPLIT band 2. Gaps are magenta. ScrollGridOracle.h states the same.
"""
import struct
import sys

WIDTH, HEIGHT, GAP, SPLIT = 16, 12, 3, 3
COLUMNS, ROWS = 4, 11
GAP_COLOUR = (255, 0, 255)


def cell_colour(row, column, band):
    return (20 * row + 10, 60 * column + 15, 100 * band + 20)


def band_of(row, x, y):
    along, length = {7: (y, HEIGHT), 2: (x, WIDTH)}.get(row, (None, None))
    if along is None:
        return 1
    if along < SPLIT:
        return 0
    return 2 if along >= length - SPLIT else 1


def pixel(px, py):
    column, x = divmod(px, WIDTH + GAP)
    row, y = divmod(py, HEIGHT + GAP)
    if x >= WIDTH or y >= HEIGHT or column >= COLUMNS or row >= ROWS:
        return GAP_COLOUR
    return cell_colour(row, column, band_of(row, x, y))


def main(path):
    width = COLUMNS * (WIDTH + GAP)
    height = ROWS * (HEIGHT + GAP)
    stride = (width * 3 + 3) & ~3
    rows = []
    for py in reversed(range(height)):
        line = bytearray()
        for px in range(width):
            r, g, b = pixel(px, py)
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        rows.append(bytes(line))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


if __name__ == "__main__":
    main(sys.argv[1])
