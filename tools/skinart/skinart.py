#!/usr/bin/env python3
"""Draws every image of the installer's skin into resources/skin (or the folder given).

usage: skinart.py [out-folder]

The images are committed; run this again after changing the art. Buttons are four-frame strips
(normal, hover, pressed, disabled) at the exact size of the control that shows them, so that the
skin's "4in" paint mode never scales a corner. JPEG output needs ImageMagick's convert.
"""
import math
import os
import sys

from raster import (Canvas, circle, clamp, hex_rgb, mix, polygon, polyline, ring, rounded_box,
                    segment, subtract, union)

BLUE = hex_rgb('1E6FD9')
BLUE_HOVER = hex_rgb('3A86EA')
BLUE_DOWN = hex_rgb('1659B8')
BLUE_OFF = hex_rgb('A9C7EF')
WHITE = (255, 255, 255)
HEADER_TOP = hex_rgb('2679E6')
HEADER_BOTTOM = hex_rgb('1659C4')
HERO_TOP = hex_rgb('2376E4')
HERO_BOTTOM = hex_rgb('0F4BAE')
GREY_FILL = [hex_rgb(c) for c in ('F3F5F8', 'E9EDF3', 'DDE3EB', 'F7F8FA')]
GREY_EDGE = [hex_rgb(c) for c in ('D3D9E1', 'BFC8D4', 'AEB9C7', 'E4E7EC')]
TRACK = hex_rgb('F6F6F6')

OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', '..',
                                                         'resources', 'skin')


def out(name):
    return os.path.join(OUT, name)


# Pieces shared by several images ----------------------------------------------------------------
def backdrop(w, h, top, bottom, bubbles):
    """A diagonal blue gradient with a few faint circles: the look of every header."""
    c = Canvas(w, h)
    c.gradient(top, bottom, angle_mix=0.25)
    for cx, cy, r, a in bubbles:
        c.fill_sdf(circle(cx, cy, r), WHITE, (cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1), alpha=a)
    return c


def logo(c, cx, cy, s):
    """The product mark: a white rounded tile with a blue T, over a soft shadow."""
    half = s / 2
    c.fill_sdf(rounded_box(cx - half, cy - half + s * 0.08, cx + half, cy + half + s * 0.08, s * 0.24),
               hex_rgb('0A3C8C'), (cx - s, cy - s, cx + s, cy + s), alpha=0.35, soft=s * 0.12)
    c.fill_sdf(rounded_box(cx - half, cy - half, cx + half, cy + half, s * 0.24), WHITE,
               (cx - half - 1, cy - half - 1, cx + half + 1, cy + half + 1))
    stroke = s * 0.14
    mark = union(segment(cx - s * 0.24, cy - s * 0.17, cx + s * 0.24, cy - s * 0.17, stroke),
                 segment(cx, cy - s * 0.17, cx, cy + s * 0.25, stroke))
    shade = lambda x, y: mix(hex_rgb('3A8CF0'), BLUE_DOWN, clamp((y - cy + half) / s))
    c.fill_sdf(mark, shade, (cx - half, cy - half, cx + half, cy + half))
    c.fill_sdf(circle(cx + s * 0.24, cy + s * 0.2, s * 0.075), hex_rgb('2BC4A0'),
               (cx - half, cy - half, cx + half, cy + half))


def badge(c, cx, cy):
    c.fill_sdf(circle(cx, cy, 52), WHITE, (cx - 54, cy - 54, cx + 54, cy + 54), alpha=0.10)
    c.fill_sdf(circle(cx, cy, 40), WHITE, (cx - 42, cy - 42, cx + 42, cy + 42), alpha=0.16)


def strip(w, h, frames):
    """Four (or more) frames side by side; each frame function draws into (canvas, x offset)."""
    c = Canvas(w * len(frames), h)
    for i, draw in enumerate(frames):
        draw(c, i * w)
    return c


def flat_button(w, h, fills, edges=None, r=4):
    def frame(i):
        def draw(c, ox):
            box = (ox, 0, ox + w, h)
            if edges:
                c.fill_sdf(rounded_box(ox, 0, ox + w, h, r), edges[i], box)
                c.fill_sdf(rounded_box(ox + 1, 1, ox + w - 1, h - 1, r - 1), fills[i], box)
            else:
                c.fill_sdf(rounded_box(ox, 0, ox + w, h, r), fills[i], box)
        return draw
    return strip(w, h, [frame(i) for i in range(4)])


PRIMARY = [BLUE, BLUE_HOVER, BLUE_DOWN, BLUE_OFF]


# The images -----------------------------------------------------------------------------------
def buttons():
    flat_button(190, 63, PRIMARY).save_png(out('btn_install.png'))
    flat_button(194, 58, PRIMARY).save_png(out('btn_finish.png'))
    flat_button(87, 30, PRIMARY).save_png(out('btn_main.png'))
    flat_button(67, 27, GREY_FILL, GREY_EDGE).save_png(out('btn_minimise.png'))
    flat_button(53, 26, GREY_FILL, GREY_EDGE).save_png(out('btn_browse.png'))
    # Any other push button stretches this one around fixed 6-pixel margins.
    flat_button(24, 24, GREY_FILL, GREY_EDGE).save_png(out('btn_default.png'))


def caption_buttons():
    def glyph(shape, alpha=1.0):
        def draw(c, ox, fill=None, fill_alpha=1.0):
            if fill:
                c.fill_sdf(lambda x, y: -1.0, fill, (ox, 0, ox + 40, 32), alpha=fill_alpha)
            c.fill_sdf(shape(ox + 20, 16), WHITE, (ox, 0, ox + 40, 32), alpha=alpha)
        return draw

    cross = lambda cx, cy: union(segment(cx - 5, cy - 5, cx + 5, cy + 5, 1.6),
                                 segment(cx - 5, cy + 5, cx + 5, cy - 5, 1.6))
    dash = lambda cx, cy: segment(cx - 5.5, cy + 0.5, cx + 5.5, cy + 0.5, 1.6)
    for name, shape, hover, down, hover_a, down_a in (
            ('sys_close.png', cross, hex_rgb('E5484D'), hex_rgb('C8373C'), 1.0, 1.0),
            ('sys_minimise.png', dash, WHITE, WHITE, 0.16, 0.26)):
        g = glyph(shape)
        strip(40, 32, [
            lambda c, ox: g(c, ox),
            lambda c, ox: g(c, ox, hover, hover_a),
            lambda c, ox: g(c, ox, down, down_a),
            glyph(shape, 0.45),
        ]).save_png(out(name))


def check_marks():
    """Check box and radio button glyphs, 14 pixels: four unchecked looks, then four checked."""
    n = 14
    tick = lambda ox: polyline([(ox + 3.4, 7.2), (ox + 6, 9.8), (ox + 10.6, 4.6)], 1.7)
    looks = [  # (fill, edge, ticked)
        (WHITE, hex_rgb('B4BDC9'), False), (WHITE, BLUE, False), (hex_rgb('E6EFFC'), BLUE_DOWN, False),
        (hex_rgb('F2F3F5'), hex_rgb('D9DDE3'), False),
        (BLUE, BLUE, True), (BLUE_HOVER, BLUE_HOVER, True), (BLUE_DOWN, BLUE_DOWN, True),
        (BLUE_OFF, BLUE_OFF, True)]

    def box(fill, edge, ticked):
        def draw(c, ox):
            area = (ox, 0, ox + n, n)
            c.fill_sdf(rounded_box(ox + 0.5, 0.5, ox + n - 0.5, n - 0.5, 3), edge, area)
            c.fill_sdf(rounded_box(ox + 1.5, 1.5, ox + n - 1.5, n - 1.5, 2), fill, area)
            if ticked:
                c.fill_sdf(tick(ox), WHITE, area)
        return draw

    def dot(fill, edge, ticked):
        def draw(c, ox):
            area = (ox, 0, ox + n, n)
            c.fill_sdf(circle(ox + n / 2, n / 2, n / 2 - 0.5), edge, area)
            c.fill_sdf(circle(ox + n / 2, n / 2, n / 2 - 1.5), fill if not ticked else WHITE, area)
            if ticked:
                c.fill_sdf(circle(ox + n / 2, n / 2, 3.2), fill, area)
        return draw

    strip(n, n, [box(*look) for look in looks]).save_png(out('checkbox.png'))
    strip(n, n, [dot(*look) for look in looks]).save_png(out('radio.png'))

    def chevron(up, colour):
        def draw(c, ox):
            ys = (6.5, 3.5) if up else (3.5, 6.5)
            c.fill_sdf(polyline([(ox + 1.5, ys[0]), (ox + 5, ys[1]), (ox + 8.5, ys[0])], 1.6), colour,
                       (ox, 0, ox + 10, 10))
        return draw
    strip(10, 10, [chevron(False, BLUE), chevron(False, BLUE_DOWN), chevron(True, BLUE),
                   chevron(True, BLUE_DOWN)]).save_png(out('chevron.png'))


def progress_parts():
    track = hex_rgb('E4E9F0')
    bk = Canvas(32, 16, (255, 255, 255, 1.0))
    bk.fill_sdf(rounded_box(0, 3, 32, 13, 5), track)
    bk.save_png(out('progress_bk.png'), alpha=False)
    step = Canvas(32, 16)
    step.fill_sdf(rounded_box(0, 3, 32, 13, 5), lambda x, y: mix(hex_rgb('3B8AF0'), BLUE, (y - 3) / 10))
    step.save_png(out('progress_step.png'))

    # The busy bar while the setup runs: stripes that walk right, eight frames, one period.
    w, h, period, frames = 509, 16, 16, 8
    anim = Canvas(w * frames, h, (255, 255, 255, 1.0))
    pill = rounded_box(0, 3, w, 13, 5)
    for f in range(frames):
        shift = f * period / frames
        for y in range(h):
            for x in range(w):
                cover = clamp(0.5 - pill(x + 0.5, y + 0.5))
                if cover <= 0:
                    continue
                s = (x + 0.5 - y - shift) % period
                light = clamp(min(s, period / 2 - s) + 0.5) if s < period / 2 else 0.0
                anim.blend(f * w + x, y, mix(BLUE, hex_rgb('5C9BEE'), light), cover)
    anim.save_png(out('progress_busy.png'), alpha=False)

    dots = Canvas(80, 20)
    for f in range(4):
        for i in range(3):
            colour = BLUE if i == f else BLUE_OFF
            dots.fill_sdf(circle(f * 20 + 4 + i * 6, 10, 2.2), colour, (f * 20, 0, f * 20 + 20, 20))
    dots.save_png(out('loading_dots.png'))


def scrollbar():
    """The grid of scroll-bar cells: columns normal, hot, pressed, disabled; 12-pixel cells, gap 2."""
    cell, gap = 12, 2
    c = Canvas(4 * cell + 3 * gap, 11 * cell + 10 * gap, TRACK + (1.0,))
    arrows = [hex_rgb(x) for x in ('A0A8B4', '6B7685', '4A5563', 'D5D9DF')]
    thumbs = [hex_rgb(x) for x in ('C3C9D2', 'A6AFBB', '8C96A4', 'E1E4E8')]
    heads = {0: [(7.5, 3), (4.5, 6), (7.5, 9)], 1: [(4.5, 3), (7.5, 6), (4.5, 9)],
             5: [(3, 7.5), (6, 4.5), (9, 7.5)], 6: [(3, 4.5), (6, 7.5), (9, 4.5)]}
    for col in range(4):
        ox = col * (cell + gap)
        for row, points in heads.items():
            oy = row * (cell + gap)
            c.fill_sdf(polyline([(ox + x, oy + y) for x, y in points], 1.5), arrows[col],
                       (ox, oy, ox + cell, oy + cell))
        for row, vertical in ((2, False), (3, False), (7, True), (8, True)):
            oy = row * (cell + gap)
            gripper = row in (3, 8)
            if vertical:
                body = rounded_box(ox + 3, oy + (-6 if gripper else 1), ox + 9,
                                   oy + cell + (6 if gripper else -1), 3)
            else:
                body = rounded_box(ox + (-6 if gripper else 1), oy + 3, ox + cell + (6 if gripper else -1),
                                   oy + 9, 3)
            c.fill_sdf(body, thumbs[col], (ox, oy, ox + cell, oy + cell))
    c.save_png(out('scrollbar.png'), alpha=False)


def install_hero():
    c = backdrop(549, 250, HERO_TOP, HERO_BOTTOM,
                 [(470, 40, 120, 0.06), (520, 210, 90, 0.05), (60, 250, 110, 0.05), (300, -60, 90, 0.04)])
    logo(c, 274, 108, 84)
    c.save_jpeg(out('hero_install.jpg'))


def finish_hero():
    c = backdrop(549, 230, HERO_TOP, HERO_BOTTOM,
                 [(480, 30, 110, 0.06), (70, 220, 100, 0.05), (260, 250, 60, 0.04)])
    cx, cy = 274, 98
    c.fill_sdf(ring(cx, cy, 54, 2), WHITE, (cx - 60, cy - 60, cx + 60, cy + 60), alpha=0.25)
    c.fill_sdf(circle(cx, cy + 3, 42), hex_rgb('0A3C8C'), (cx - 60, cy - 60, cx + 60, cy + 60),
               alpha=0.35, soft=5)
    c.fill_sdf(circle(cx, cy, 42), WHITE, (cx - 44, cy - 44, cx + 44, cy + 44))
    c.fill_sdf(polyline([(cx - 18, cy + 1), (cx - 5, cy + 14), (cx + 19, cy - 12)], 8), hex_rgb('21A97F'),
               (cx - 44, cy - 44, cx + 44, cy + 44))
    c.save_png(out('hero_finish.png'), alpha=False)


def main_header():
    c = backdrop(430, 86, HEADER_TOP, HEADER_BOTTOM,
                 [(380, 10, 70, 0.07), (330, 90, 40, 0.05), (250, -30, 45, 0.04)])
    c.save_bmp(out('header_main.bmp'))
    mark = Canvas(48, 48)
    logo(mark, 24, 23, 40)
    mark.save_png(out('logo.png'))


def slides():
    """Four pictures that take turns above the progress bar while the download runs."""
    cx, cy = 274, 112
    icons = []

    def download(c):
        c.fill_sdf(union(segment(cx, cy - 22, cx, cy + 8, 7),
                         polyline([(cx - 15, cy - 6), (cx, cy + 9), (cx + 15, cy - 6)], 7),
                         polyline([(cx - 22, cy + 10), (cx - 22, cy + 20), (cx + 22, cy + 20),
                                   (cx + 22, cy + 10)], 6)), WHITE, (cx - 40, cy - 40, cx + 40, cy + 40))
    icons.append(download)

    def shield(c):
        outline = polygon([(cx, cy - 26), (cx + 22, cy - 17), (cx + 20, cy + 6), (cx, cy + 26),
                           (cx - 20, cy + 6), (cx - 22, cy - 17)])
        c.fill_sdf(outline, WHITE, (cx - 40, cy - 40, cx + 40, cy + 40))
        c.fill_sdf(polyline([(cx - 9, cy), (cx - 2, cy + 7), (cx + 10, cy - 7)], 5), BLUE,
                   (cx - 40, cy - 40, cx + 40, cy + 40))
    icons.append(shield)

    def bolt(c):
        c.fill_sdf(polygon([(cx + 5, cy - 28), (cx - 16, cy + 4), (cx - 1, cy + 4), (cx - 6, cy + 28),
                            (cx + 16, cy - 6), (cx + 1, cy - 6)]), WHITE, (cx - 40, cy - 40, cx + 40, cy + 40))
    icons.append(bolt)

    def sparkle(c):
        def star(sx, sy, r):
            k = r * 0.28
            return polygon([(sx, sy - r), (sx + k, sy - k), (sx + r, sy), (sx + k, sy + k), (sx, sy + r),
                            (sx - k, sy + k), (sx - r, sy), (sx - k, sy - k)])
        c.fill_sdf(union(star(cx - 4, cy + 2, 24), star(cx + 17, cy - 15, 10), star(cx + 15, cy + 19, 6)),
                   WHITE, (cx - 40, cy - 40, cx + 40, cy + 40))
    icons.append(sparkle)

    tints = [('2376E4', '0F4BAE'), ('1F6FD8', '124A9E'), ('2A72E6', '1A46B0'), ('2379E0', '105AA8')]
    for i, draw in enumerate(icons):
        top, bottom = tints[i]
        c = backdrop(549, 262, hex_rgb(top), hex_rgb(bottom),
                     [(470 - i * 40, 40 + i * 10, 120, 0.06), (60 + i * 30, 250, 110, 0.05)])
        badge(c, cx, cy)
        draw(c)
        if i == 0:
            c.save_jpeg(out('slide1.jpg'))
        else:
            c.save_png(out('slide%d.png' % (i + 1)), alpha=False)


def hand_cursor():
    """The pointing hand over links and buttons: white with a dark outline, the fingertip hot."""
    shape = union(segment(8, 3.5, 8, 15, 5),
                  segment(11.5, 12, 11.5, 16, 4.6), segment(15, 13, 15, 17, 4.6), segment(18.3, 14.5, 18.3, 18.5, 4.2),
                  rounded_box(5.6, 13, 20.4, 25.5, 4.5), segment(6.5, 19.5, 2.2, 15, 4.4),
                  rounded_box(7, 23, 19, 29, 2))
    k = 0.75  # drawn on a 32-pixel grid, shown at three quarters around the fingertip
    scaled = lambda x, y: shape(8 + (x - 8) / k, 1 + (y - 1) / k) * k
    c = Canvas(32, 32)
    c.fill_sdf(lambda x, y: scaled(x, y) - 1.0, hex_rgb('1A1A1A'))
    c.fill_sdf(scaled, WHITE)
    c.save_cursor(out('hand.cur'), 8, 1)


def main():
    os.makedirs(OUT, exist_ok=True)
    for make in (buttons, caption_buttons, check_marks, progress_parts, scrollbar, install_hero,
                 finish_hero, main_header, slides, hand_cursor):
        make()


if __name__ == '__main__':
    main()
