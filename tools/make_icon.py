#!/usr/bin/env python3
"""Draws the program icon: a yellow sticky note with a folded corner and written lines.

Usage: make_icon.py OUTPUT.ico   (16, 32 and 48 pixel images, 32-bit with alpha)
"""
import struct
import sys

BODY = (0x87, 0xFF, 0xFF)   # the classic body colour, as (B, G, R)
FRAME = (0x73, 0xE5, 0xE5)  # the classic window colour
EDGE = (0x30, 0x90, 0xA8)
INK = (0x90, 0x60, 0x40)


def pixel(size, x, y):
    """(B, G, R, A) of the pixel at x, y (y from the top)."""
    margin = max(1, size // 16)
    fold = size // 4
    left, top, right, bottom = margin, margin, size - margin - 1, size - margin - 1
    if not (left <= x <= right and top <= y <= bottom):
        return (0, 0, 0, 0)
    # The folded corner at the bottom right: cut off, with the flap drawn darker.
    dx, dy = right - x, bottom - y
    if dx + dy < fold:
        return (0, 0, 0, 0)
    if dx + dy == fold or dx + dy == fold + 1 and size >= 32:
        return EDGE + (255,)
    if dx < fold and dy < fold:
        return FRAME + (255,)
    if x in (left, right) or y in (top, bottom):
        return EDGE + (255,)
    strip = top + max(2, size // 6)
    if y <= strip:
        return FRAME + (255,)
    step = max(3, size // 8)
    if (y - strip) % step == 0 and left + 2 <= x <= right - fold + 1 and y < bottom - 1:
        return INK + (255,)
    return BODY + (255,)


def image(size):
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up rows
        rows.append(b"".join(bytes(pixel(size, x, y)) for x in range(size)))
    xor = b"".join(rows)
    and_row = ((size + 31) // 32) * 4
    mask = b"\x00" * (and_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask),
                         0, 0, 0, 0)
    return header + xor + mask


def main():
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main()
