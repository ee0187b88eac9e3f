"""A small anti-aliased raster canvas for the installer's skin art.

Shapes are drawn from signed distance functions: a pixel's coverage is how far inside the shape
its centre lies, clamped to one pixel, which gives smooth edges without supersampling. Only the
standard library is used; PNG and BMP are written here, JPEG through ImageMagick from a PPM.
"""
import math
import struct
import subprocess
import zlib


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


def hex_rgb(text):
    text = text.lstrip('#')
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


class Canvas:
    """RGBA pixels as floats (colour 0..255, alpha 0..1), straight (not premultiplied) alpha."""

    def __init__(self, width, height, fill=(0, 0, 0, 0.0)):
        self.w, self.h = width, height
        self.px = [list(fill) for _ in range(width * height)]

    # Compositing -------------------------------------------------------------------------------
    def blend(self, x, y, rgb, alpha):
        if alpha <= 0.0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        p = self.px[y * self.w + x]
        out_a = alpha + p[3] * (1.0 - alpha)
        if out_a <= 0.0:
            return
        for i in range(3):
            p[i] = (rgb[i] * alpha + p[i] * p[3] * (1.0 - alpha)) / out_a
        p[3] = out_a

    def fill_sdf(self, sdf, colour, box=None, alpha=1.0, soft=1.0):
        """Covers every pixel whose centre lies inside sdf (negative distance); colour is an RGB
        tuple or a function of (x, y) giving one. soft widens the edge for blurred shadows."""
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1, y1 = min(self.w, int(math.ceil(x1))), min(self.h, int(math.ceil(y1)))
        for y in range(y0, y1):
            for x in range(x0, x1):
                cx, cy = x + 0.5, y + 0.5
                cover = clamp(0.5 - sdf(cx, cy) / soft)
                if cover > 0.0:
                    rgb = colour(cx, cy) if callable(colour) else colour
                    self.blend(x, y, rgb, cover * alpha)

    def gradient(self, top, bottom, box=None, angle_mix=0.0, left=None):
        """Opaque vertical gradient; with angle_mix the horizontal position tilts it."""
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        for y in range(y0, y1):
            for x in range(x0, x1):
                t = (y - y0) / max(1, (y1 - y0 - 1))
                t = clamp(t * (1.0 - angle_mix) + angle_mix * (x - x0) / max(1, x1 - x0 - 1))
                self.px[y * self.w + x] = list(mix(top, bottom, t)) + [1.0]

    def paste(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                p = other.px[y * other.w + x]
                self.blend(ox + x, oy + y, p[:3], p[3])

    # Writers -----------------------------------------------------------------------------------
    def _rows(self, alpha, background=(255, 255, 255)):
        rows = []
        for y in range(self.h):
            row = bytearray()
            for x in range(self.w):
                r, g, b, a = self.px[y * self.w + x]
                if alpha:
                    row += bytes((round(r), round(g), round(b), round(a * 255)))
                else:
                    row += bytes(round(c * a + background[i] * (1 - a)) for i, c in enumerate((r, g, b)))
            rows.append(bytes(row))
        return rows

    def save_png(self, path, alpha=True):
        def chunk(kind, data):
            body = kind + data
            return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)
        raw = b''.join(b'\x00' + row for row in self._rows(alpha))
        header = struct.pack('>IIBBBBB', self.w, self.h, 8, 6 if alpha else 2, 0, 0, 0)
        with open(path, 'wb') as f:
            f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9))
                    + chunk(b'IEND', b''))

    def save_bmp(self, path):
        """24-bit bottom-up BMP, rows padded to four bytes."""
        stride = (self.w * 3 + 3) & ~3
        bits = bytearray()
        for row in reversed(self._rows(False)):
            line = bytearray()
            for x in range(self.w):
                r, g, b = row[x * 3:x * 3 + 3]
                line += bytes((b, g, r))
            bits += line + b'\x00' * (stride - len(line))
        info = struct.pack('<IiiHHIIiiII', 40, self.w, self.h, 1, 24, 0, len(bits), 2835, 2835, 0, 0)
        head = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(bits), 0, 0, 14 + len(info))
        with open(path, 'wb') as f:
            f.write(head + info + bits)

    def save_cursor(self, path, hot_x, hot_y):
        """A 32-bit cursor file: one image, colour with alpha, and an AND mask that is set where the
        image is fully transparent (for systems that ignore the alpha)."""
        rows = self._rows(True)
        xor = bytearray()
        mask = bytearray()
        for row in reversed(rows):
            bits = 0
            for x in range(self.w):
                r, g, b, a = row[x * 4:x * 4 + 4]
                xor += bytes((b, g, r, a))
                bits = (bits << 1) | (1 if a == 0 else 0)
            mask += bits.to_bytes((self.w + 31) // 32 * 4, 'big')
        info = struct.pack('<IiiHHIIiiII', 40, self.w, self.h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        image = info + xor + mask
        head = struct.pack('<HHH', 0, 2, 1)
        entry = struct.pack('<BBBBHHII', self.w, self.h, 0, 0, hot_x, hot_y, len(image), 6 + 16)
        with open(path, 'wb') as f:
            f.write(head + entry + image)

    def save_jpeg(self, path, quality=94):
        ppm = b'P6 %d %d 255\n' % (self.w, self.h) + b''.join(self._rows(False))
        subprocess.run(['convert', 'ppm:-', '-strip', '-interlace', 'none', '-sampling-factor', '4:2:0',
                        '-quality', str(quality), 'jpeg:' + path], input=ppm, check=True)


# Signed distance functions ----------------------------------------------------------------------
def rounded_box(x0, y0, x1, y1, r):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx + r, abs(y - cy) - hy + r
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r
    return sdf


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - width / 2


def segment(ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy or 1e-9

    def sdf(x, y):
        t = clamp(((x - ax) * dx + (y - ay) * dy) / length2)
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - width / 2
    return sdf


def polyline(points, width):
    parts = [segment(*points[i], *points[i + 1], width) for i in range(len(points) - 1)]
    return lambda x, y: min(p(x, y) for p in parts)


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


def polygon(points):
    """Convex or concave simple polygon by even-odd inside test and edge distance."""
    edges = [(points[i], points[(i + 1) % len(points)]) for i in range(len(points))]

    def sdf(x, y):
        best, inside = 1e9, False
        for (ax, ay), (bx, by) in edges:
            dx, dy = bx - ax, by - ay
            t = clamp(((x - ax) * dx + (y - ay) * dy) / ((dx * dx + dy * dy) or 1e-9))
            best = min(best, math.hypot(x - ax - t * dx, y - ay - t * dy))
            if (ay > y) != (by > y) and x < ax + (y - ay) * dx / (by - ay):
                inside = not inside
        return -best if inside else best
    return sdf
