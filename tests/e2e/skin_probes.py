"""Colour probes on captures of the real installer windows. The expected colours are read, at test
time, from the skin's own picture files with ImageMagick: the windows are drawn from those pictures
placed one to one, so a probe point of a window shows the picture's pixel at the matching point."""
import os
import struct
import subprocess

from installer_run import ROOT, wine_path

SKIN = os.path.join(ROOT, "resources", "skin")
# Decoders of lossy pictures may differ by a few levels; lossless ones agree closely.
JPEG_TOLERANCE = 12
TOLERANCE = 4


def picture_pixel(name, x, y):
    """(r, g, b) of a skin picture at (x, y), transparent parts over white as the skin paints them."""
    out = subprocess.run(["convert", os.path.join(SKIN, name), "-background", "white", "-alpha", "remove",
                          "-crop", "1x1+%d+%d" % (x, y), "+repage", "-depth", "8", "txt:-"],
                         capture_output=True, text=True, check=True).stdout
    values = out.splitlines()[1].split("(")[1].split(")")[0].split(",")
    return tuple(int(float(v)) for v in values[:3])


class Capture:
    """A 24-bit bottom-up BMP as the UI driver writes it."""

    def __init__(self, path):
        with open(path, "rb") as bmp:
            data = bmp.read()
        self.offset = struct.unpack_from("<I", data, 10)[0]
        self.width, height = struct.unpack_from("<ii", data, 18)
        self.height = abs(height)
        self.bottom_up = height > 0
        self.stride = (self.width * 3 + 3) & ~3
        self.data = data

    def pixel(self, x, y):
        row = self.height - 1 - y if self.bottom_up else y
        at = self.offset + row * self.stride + x * 3
        b, g, r = self.data[at:at + 3]
        return r, g, b


def close(actual, expected, tolerance):
    return all(abs(a - e) <= tolerance for a, e in zip(actual, expected))


def capture(run, window_args, folder, name, verb=("shot",)):
    """A fresh capture of the window as a Capture, kept as NAME.bmp in the folder; None on failure.
    verb: the UI driver's verb and its own arguments that write the capture to --out."""
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, name + ".bmp")
    ok, _ = run.ui(verb[0], *window_args, *verb[1:], "--out", wine_path(path))
    return Capture(path) if ok else None


def probe(run, window_args, folder, name, point, expected, tolerance, verb=("shot",), attempts=30, prepare=None):
    """Captures (through verb, see capture) until the window shows the expected colour at the point,
    at most a generous number of times, after prepare(), when given, before each capture. Returns
    (passed, last colour seen)."""
    seen = None
    for _ in range(attempts):
        if prepare:
            prepare()
        shot = capture(run, window_args, folder, name, verb)
        if shot:
            seen = shot.pixel(*point)
            if close(seen, expected, tolerance):
                return True, seen
    return False, seen
