#!/usr/bin/python3
"""Draws the pictures that ship as files with cairo and writes them beside
this script:

  app.ico           the program icon, 16 to 256 px (256 stored as PNG)
  pointer.cur       the main window's pointer, 32, 48 and 64 px
  tab_pointer.cur   the pointer over the tab rows, 32, 48 and 64 px
  row_icons.inc     ImageList1's five row pictures at 16, 20, 24 and 32 px,
                    as C++ arrays (0xAARRGGBB with straight alpha, as an
                    image list takes them; top row first)

Run it through make_art.sh, which installs what it needs. The windows draw
the rest of the artwork themselves (app/art), in the same palette and with
the same shield outline as below."""
import io
import math
import os
import struct
import sys

import cairo

HERE = os.path.dirname(os.path.abspath(__file__))

# Palette of the skin (RGB, 0-255).
SLATE = (24, 38, 60)
ACCENT = (46, 84, 140)
WHITE = (255, 255, 255)
AMBER = (230, 160, 30)
BIN = (92, 106, 130)


def rgb(c, a=1.0):
    return (c[0] / 255.0, c[1] / 255.0, c[2] / 255.0, a)


def shade(c, amount):
    """Lighter towards white (amount > 0) or darker towards black (< 0)."""
    if amount >= 0:
        return tuple(round(v + (255 - v) * amount) for v in c)
    return tuple(round(v * (1 + amount)) for v in c)


def surface(size):
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, size, size)
    return s, cairo.Context(s)


# ---- the shield, the product's mark -------------------------------------

def shield_path(ctx, x, y, w, h):
    """The shield outline in the box (x, y, w, h): shoulders curving up to
    the top centre, straight sides, curving down to the point."""
    def p(u, v):
        return x + u * w, y + v * h
    ctx.move_to(*p(0.5, 0.0))
    ctx.curve_to(*p(0.68, 0.10), *p(0.86, 0.135), *p(1.0, 0.14))
    ctx.line_to(*p(1.0, 0.47))
    ctx.curve_to(*p(1.0, 0.75), *p(0.80, 0.90), *p(0.5, 1.0))
    ctx.curve_to(*p(0.20, 0.90), *p(0.0, 0.75), *p(0.0, 0.47))
    ctx.line_to(*p(0.0, 0.14))
    ctx.curve_to(*p(0.14, 0.135), *p(0.32, 0.10), *p(0.5, 0.0))
    ctx.close_path()


def right_half_path(ctx, x, y, w, h):
    def p(u, v):
        return x + u * w, y + v * h
    ctx.move_to(*p(0.5, 0.0))
    ctx.curve_to(*p(0.68, 0.10), *p(0.86, 0.135), *p(1.0, 0.14))
    ctx.line_to(*p(1.0, 0.47))
    ctx.curve_to(*p(1.0, 0.75), *p(0.80, 0.90), *p(0.5, 1.0))
    ctx.close_path()


def tick(ctx, x, y, w, h, width, colour):
    ctx.move_to(x + 0.28 * w, y + 0.53 * h)
    ctx.line_to(x + 0.44 * w, y + 0.68 * h)
    ctx.line_to(x + 0.73 * w, y + 0.37 * h)
    ctx.set_line_width(width)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.set_source_rgba(*rgb(colour))
    ctx.stroke()


def program_icon(size):
    s, ctx = surface(size)
    # The shield fills the height; its width keeps the mark's proportions,
    # rounded to whole pixels so the straight sides land on pixel edges.
    h = size
    w = round(size * 0.875)
    if (size - w) % 2:
        w -= 1
    x = (size - w) / 2
    e = max(1.0, round(size / 40))
    shield_path(ctx, x, 0, w, h)
    ctx.set_source_rgba(*rgb(shade(ACCENT, -0.30)))
    ctx.fill()
    grad = cairo.LinearGradient(0, 0, 0, size)
    grad.add_color_stop_rgba(0, *rgb(shade(ACCENT, 0.12)))
    grad.add_color_stop_rgba(1, *rgb(ACCENT))
    shield_path(ctx, x + e, e * 1.15, w - 2 * e, h - 2.3 * e)
    ctx.set_source(grad)
    ctx.fill()
    right_half_path(ctx, x + e, e * 1.15, w - 2 * e, h - 2.3 * e)
    ctx.set_source_rgba(0, 0, 0, 0.11)
    ctx.fill()
    tick(ctx, x, 0, w, h, max(2.0, w * 0.12), WHITE)
    return s


# ---- pointers -------------------------------------------------------------

ARROW = [(2, 1.5), (2, 24), (7.5, 18.8), (11.2, 27.2), (14.6, 25.7), (11.0, 17.6), (18.2, 17.6)]


def pointer(size):
    """The main window's arrow: slate with a white rim and a soft shadow.
    Drawn on a 32-unit grid; the hot spot is the tip."""
    s, ctx = surface(size)
    k = size / 32.0
    ctx.scale(k, k)
    def outline(dx=0.0, dy=0.0):
        ctx.new_path()
        ctx.move_to(ARROW[0][0] + dx, ARROW[0][1] + dy)
        for px, py in ARROW[1:]:
            ctx.line_to(px + dx, py + dy)
        ctx.close_path()
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    outline(0.9, 1.3)
    ctx.set_source_rgba(0, 0, 0, 0.22)
    ctx.set_line_width(2.6)
    ctx.stroke_preserve()
    ctx.fill()
    outline()
    ctx.set_source_rgba(*rgb(WHITE))
    ctx.set_line_width(2.6)
    ctx.stroke_preserve()
    grad = cairo.LinearGradient(0, 2, 0, 27)
    grad.add_color_stop_rgba(0, *rgb(shade(ACCENT, 0.10)))
    grad.add_color_stop_rgba(1, *rgb(SLATE))
    ctx.set_source(grad)
    ctx.fill()
    return s, (round(2 * k - 0.5), round(1.5 * k - 0.5))


def hand(size):
    """The pointer over the tab rows: a pointing hand, white with a slate
    rim. The hot spot is the tip of the finger."""
    s, ctx = surface(size)
    k = size / 32.0
    ctx.scale(k, k)

    def rounded(x0, y0, x1, y1, r):
        ctx.new_sub_path()
        ctx.arc(x1 - r, y0 + r, r, -math.pi / 2, 0)
        ctx.arc(x1 - r, y1 - r, r, 0, math.pi / 2)
        ctx.arc(x0 + r, y1 - r, r, math.pi / 2, math.pi)
        ctx.arc(x0 + r, y0 + r, r, math.pi, 3 * math.pi / 2)
        ctx.close_path()

    def shape():
        ctx.new_path()
        rounded(10.0, 1.5, 14.6, 20.0, 2.3)   # index finger
        rounded(14.0, 10.0, 18.4, 20.0, 2.2)  # middle finger
        rounded(17.8, 11.2, 22.2, 21.0, 2.2)  # ring finger
        rounded(21.6, 12.6, 26.0, 22.0, 2.2)  # little finger
        rounded(10.0, 15.0, 26.0, 29.5, 4.5)  # palm
        # Thumb, leaning out to the left.
        ctx.new_sub_path()
        ctx.move_to(10.6, 18.2)
        ctx.line_to(6.6, 14.6)
        ctx.arc_negative(5.2, 16.2, 2.1, -0.84, 2.3)
        ctx.line_to(10.6, 25.0)
        ctx.close_path()

    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.save()
    ctx.translate(0.9, 1.3)
    shape()
    ctx.set_source_rgba(0, 0, 0, 0.22)
    ctx.set_line_width(2.4)
    ctx.stroke_preserve()
    ctx.fill()
    ctx.restore()
    shape()
    ctx.set_source_rgba(*rgb(SLATE))
    ctx.set_line_width(2.4)
    ctx.stroke_preserve()
    ctx.set_source_rgba(*rgb(WHITE))
    ctx.fill()
    # Knuckle lines between the folded fingers.
    ctx.set_source_rgba(*rgb(shade(SLATE, 0.55)))
    ctx.set_line_width(1.0)
    for x0, y0, y1 in ((14.3, 12.2, 14.8), (18.1, 13.4, 16.0), (21.9, 14.8, 17.4)):
        ctx.move_to(x0, y0)
        ctx.line_to(x0, y1)
    ctx.stroke()
    return s, (round(12.3 * k - 0.5), round(1.5 * k - 0.5))


# ---- ImageList1's rows ----------------------------------------------------

def row_icon(number, size):
    """Picture number (1-5) of ImageList1 at size px, drawn on a 16 grid."""
    s, ctx = surface(size)
    if number == 4:
        return s  # no row uses it; it stays blank
    ctx.scale(size / 16.0, size / 16.0)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    if number == 1:  # prefetch: a lightning bolt
        pts = [(9.6, 0.6), (2.8, 9.2), (7.2, 9.2), (5.6, 15.4), (13.2, 6.4), (8.8, 6.4), (11.4, 0.6)]
        ctx.move_to(*pts[0])
        for p in pts[1:]:
            ctx.line_to(*p)
        ctx.close_path()
        ctx.set_source_rgba(*rgb(shade(AMBER, -0.30)))
        ctx.set_line_width(1.0)
        ctx.stroke_preserve()
        ctx.set_source_rgba(*rgb(AMBER))
        ctx.fill()
    elif number == 2:  # a user's temporary file: a page with lines
        ctx.move_to(3.5, 1.5)
        ctx.line_to(9.5, 1.5)
        ctx.line_to(12.5, 4.5)
        ctx.line_to(12.5, 14.5)
        ctx.line_to(3.5, 14.5)
        ctx.close_path()
        ctx.set_source_rgba(*rgb(WHITE))
        ctx.fill_preserve()
        ctx.set_source_rgba(*rgb((112, 126, 150)))
        ctx.set_line_width(1.0)
        ctx.stroke()
        ctx.move_to(9.5, 1.5)
        ctx.line_to(9.5, 4.5)
        ctx.line_to(12.5, 4.5)
        ctx.stroke()
        ctx.set_source_rgba(*rgb(ACCENT))
        for y, x1 in ((6, 11), (8, 11), (10, 11), (12, 9)):  # whole pixels at 16
            ctx.rectangle(5, y, x1 - 5, 1)
        ctx.fill()
    elif number == 3:  # recent: a clock
        ctx.arc(8, 8, 7.5, 0, 2 * math.pi)
        ctx.set_source_rgba(*rgb(ACCENT))
        ctx.fill()
        ctx.arc(8, 8, 6.0, 0, 2 * math.pi)
        ctx.set_source_rgba(*rgb(shade(ACCENT, 0.12)))
        ctx.fill()
        ctx.set_source_rgba(*rgb(WHITE))
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        ctx.set_line_width(1.6)
        ctx.move_to(8, 3.6)
        ctx.line_to(8, 8)
        ctx.line_to(11.2, 10)
        ctx.stroke()
    elif number == 5:  # everything else: a waste bin
        ctx.set_source_rgba(*rgb(BIN))
        ctx.rectangle(6, 0.5, 4, 2)       # handle
        ctx.rectangle(2, 2.5, 12, 2)      # lid
        ctx.fill()
        ctx.move_to(3, 5.5)
        ctx.line_to(13, 5.5)
        ctx.line_to(12, 15.5)
        ctx.line_to(4, 15.5)
        ctx.close_path()
        ctx.fill()
        ctx.set_source_rgba(*rgb(WHITE, 0.85))
        for x in (6, 8, 10):
            ctx.rectangle(x - 0.5, 7.5, 1, 6)
        ctx.fill()
    return s


# ---- file writers ---------------------------------------------------------

def pixels(s):
    """Rows of (b, g, r, a) tuples, premultiplied, top row first."""
    s.flush()
    data = bytes(s.get_data())
    stride, w, h = s.get_stride(), s.get_width(), s.get_height()
    return [[tuple(data[y * stride + 4 * x:y * stride + 4 * x + 4]) for x in range(w)] for y in range(h)]


def straight(p):
    b, g, r, a = p
    if a == 0:
        return (0, 0, 0, 0)
    return tuple(min(255, round(v * 255 / a)) for v in (b, g, r)) + (a,)


def dib_entry(s):
    """A 32-bit BMP image for an .ico/.cur entry: header, colour rows
    bottom-up with straight alpha, then the AND mask."""
    rows = pixels(s)
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(bytes(c for p in row for c in straight(p)) for row in reversed(rows))
    stride = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colour + mask


def png_entry(s):
    out = io.BytesIO()
    s.write_to_png(out)
    return out.getvalue()


def write_icon_file(path, kind, entries):
    """entries: (size, image bytes, hot spot or None). kind 1 icon, 2 cursor."""
    data = struct.pack('<HHH', 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    for size, image, hot in entries:
        planes, bits = (1, 32) if kind == 1 else hot
        data += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, planes, bits, len(image), offset)
        offset += len(image)
    data += b''.join(image for _, image, _ in entries)
    with open(path, 'wb') as f:
        f.write(data)


def write_row_icons(path, sizes):
    lines = ['// ImageList1\'s row pictures, 0xAARRGGBB with straight alpha, top row first.',
             '// Generated by resources/make_art.py: change the script, not this file.',
             '#pragma once', '#include <cstdint>', '', 'namespace vexa::resources {', '',
             'inline constexpr int kRowIconSizes[] = {%s};' % ', '.join(str(s) for s in sizes), '']
    for size in sizes:
        lines.append('inline constexpr std::uint32_t kRowIcons%d[5][%d] = {' % (size, size * size))
        for number in range(1, 6):
            values = []
            for row in pixels(row_icon(number, size)):
                for b, g, r, a in map(straight, row):
                    values.append('0x%08X' % (a << 24 | r << 16 | g << 8 | b) if a else '0')
            lines.append('  {  // picture %d' % number)
            for i in range(0, len(values), size):
                lines.append('    ' + ','.join(values[i:i + size]) + ',')
            lines.append('  },')
        lines.append('};')
        lines.append('')
    lines.append('}  // namespace vexa::resources')
    with open(path, 'w') as f:
        f.write('\n'.join(lines) + '\n')


def main(out):
    icon_sizes = [16, 20, 24, 32, 40, 48, 64, 256]
    entries = []
    for size in icon_sizes:
        s = program_icon(size)
        entries.append((size, png_entry(s) if size >= 256 else dib_entry(s), None))
    write_icon_file(os.path.join(out, 'app.ico'), 1, entries)

    for name, draw in (('pointer.cur', pointer), ('tab_pointer.cur', hand)):
        entries = []
        for size in (32, 48, 64):
            s, hot = draw(size)
            entries.append((size, dib_entry(s), hot))
        write_icon_file(os.path.join(out, name), 2, entries)

    write_row_icons(os.path.join(out, 'row_icons.inc'), [16, 20, 24, 32])

    preview = os.environ.get('VEXA_ART_PREVIEW')
    if preview:  # loose PNGs to look at
        os.makedirs(preview, exist_ok=True)
        for size in icon_sizes:
            program_icon(size).write_to_png(os.path.join(preview, 'icon-%d.png' % size))
        for size in (32, 64):
            pointer(size)[0].write_to_png(os.path.join(preview, 'pointer-%d.png' % size))
            hand(size)[0].write_to_png(os.path.join(preview, 'tab-pointer-%d.png' % size))
        for size in (16, 32):
            for n in range(1, 6):
                row_icon(n, size).write_to_png(os.path.join(preview, 'row-%d-%d.png' % (n, size)))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else HERE)
