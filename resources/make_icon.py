#!/usr/bin/env python3
"""Draws the program icon (a blue shield with a white tick) into app.ico at
16, 32 and 48 pixels, 32-bit with alpha. Run it again after changing the art."""
import struct, sys, os

def shield(size):
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]
    s = size
    def inside(x, y):
        # Shield: flat top band, straight sides to the middle, then a point.
        fx, fy = (x + 0.5) / s, (y + 0.5) / s
        if fy < 0.08 or fx < 0.1 or fx > 0.9:
            return False
        if fy < 0.55:
            return True
        half = 0.4 * (1 - (fy - 0.55) / 0.40)
        return abs(fx - 0.5) <= half
    def on_tick(x, y):
        fx, fy = (x + 0.5) / s, (y + 0.5) / s
        w = 0.07
        # two strokes: (0.28,0.48)->(0.44,0.66) and (0.44,0.66)->(0.74,0.30)
        def seg(ax, ay, bx, by):
            dx, dy = bx - ax, by - ay
            t = max(0, min(1, ((fx - ax) * dx + (fy - ay) * dy) / (dx * dx + dy * dy)))
            cx, cy = ax + t * dx, ay + t * dy
            return (fx - cx) ** 2 + (fy - cy) ** 2 <= w * w
        return seg(0.28, 0.48, 0.44, 0.66) or seg(0.44, 0.66, 0.74, 0.30)
    for y in range(s):
        for x in range(s):
            if inside(x, y):
                px[y][x] = (255, 255, 255, 255) if on_tick(x, y) else (140, 84, 46, 255)  # BGRA
    return px

def bmp_entry(size):
    px = shield(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = b''.join(bytes(c for p in px[y] for c in p) for y in reversed(range(size)))
    mask_row = ((size + 31) // 32) * 4
    mask = b''.join(
        bytes(
            sum((0 if px[y][x + b][3] else 1) << (7 - b) for b in range(8) if x + b < size)
            for x in range(0, mask_row * 8, 8)
        )[:mask_row]
        for y in reversed(range(size))
    )
    return header + rows + mask

def main(out):
    sizes = [16, 32, 48]
    images = [bmp_entry(s) for s in sizes]
    data = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, img in zip(sizes, images):
        data += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    data += b''.join(images)
    with open(out, 'wb') as f:
        f.write(data)

if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), 'app.ico'))
