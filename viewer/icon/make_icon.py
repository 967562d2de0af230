#!/usr/bin/env python3
"""Draws the VaskViewer icon (a clock face) and writes it as a Windows .ico file.

Every image the program's icons carry: 16 and 32 pixels in 16-colour, 256-colour and
true-colour forms, 48 pixels in 256-colour and true-colour forms. Standard library only.
Usage: make_icon.py output.ico
"""
import math
import struct
import sys

RING = (31, 78, 140)      # dark blue rim
FACE = (250, 250, 245)    # clock face
HAND = (20, 20, 20)       # hour and minute hands
ACCENT = (200, 30, 30)    # seconds hand: it keeps counting


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def shade(x, y):
    """Colour and coverage of a point in the unit square (0..1, y down)."""
    cx, cy = x - 0.5, y - 0.5
    r = math.hypot(cx, cy)
    if r > 0.48:
        return None
    if r > 0.40:
        return RING
    # Hour marks at 12, 3, 6 and 9.
    for angle in range(0, 360, 90):
        a = math.radians(angle)
        if segment_distance(cx, cy, 0.30 * math.sin(a), -0.30 * math.cos(a),
                            0.37 * math.sin(a), -0.37 * math.cos(a)) < 0.03:
            return RING
    if segment_distance(cx, cy, 0, 0, 0.22, 0.13) < 0.05:          # hour hand, at 4
        return HAND
    if segment_distance(cx, cy, 0, 0, 0.0, -0.33) < 0.04:          # minute hand, at 12
        return HAND
    if segment_distance(cx, cy, 0, 0, -0.25, 0.20) < 0.022:        # seconds hand
        return ACCENT
    return FACE


def render(size, samples=4):
    """RGBA rows, top row first, supersampled for smooth edges."""
    rows = []
    for j in range(size):
        row = []
        for i in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sj in range(samples):
                for si in range(samples):
                    c = shade((i + (si + 0.5) / samples) / size, (j + (sj + 0.5) / samples) / size)
                    if c:
                        hits += 1
                        for k in range(3):
                            acc[k] += c[k]
            if hits:
                row.append(tuple(a // hits for a in acc) + (255 * hits // (samples * samples),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
PALETTE256 = (VGA16 + [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6)
                       for b in range(6)] + [(v * 10 + 8,) * 3 for v in range(24)])[:256]


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda n: sum((palette[n][k] - colour[k]) ** 2 for k in range(3)))


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def and_mask(rows):
    out = b""
    for row in reversed(rows):
        bits = bytearray((len(row) + 7) // 8)
        for i, p in enumerate(row):
            if p[3] < 128:
                bits[i // 8] |= 0x80 >> (i % 8)
        out += padded(bytes(bits))
    return out


def image(size, bits):
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    if bits == 32:
        xor = b"".join(padded(b"".join(struct.pack("BBBB", p[2], p[1], p[0], p[3]) for p in row))
                       for row in reversed(rows))
        return header + xor + and_mask(rows)
    palette = VGA16 if bits == 4 else PALETTE256
    table = b"".join(struct.pack("BBBB", c[2], c[1], c[0], 0) for c in palette)
    xor = b""
    for row in reversed(rows):
        idx = [nearest(palette, p) if p[3] >= 128 else 0 for p in row]
        if bits == 4:
            data = bytes((idx[i] << 4) | (idx[i + 1] if i + 1 < len(idx) else 0)
                         for i in range(0, len(idx), 2))
        else:
            data = bytes(idx)
        xor += padded(data)
    return header + table + xor + and_mask(rows)


FORMS = [(16, 4), (16, 8), (16, 32), (32, 4), (32, 8), (32, 32), (48, 8), (48, 32)]


def main(path):
    images = [image(size, bits) for size, bits in FORMS]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, bits), data in zip(FORMS, images):
        out += struct.pack("<BBBBHHII", size, size, 16 if bits == 4 else 0, 0, 1, bits,
                           len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1])
