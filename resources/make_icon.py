#!/usr/bin/env python3
"""Writes the frame's icon: one 32x32 image in 16 colours (4 bits per pixel).

The picture is a grey disc with a blue centre and a white hole, drawn on a
transparent background."""
import struct
import sys

SIZE = 32
# The standard 16-colour palette, as red, green, blue.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, GREY, DARK, BLUE, WHITE = 0, 7, 8, 12, 15


def pixel(x, y):
    """Colour index and transparency of one pixel (y = 0 is the top row)."""
    dx, dy = x - 15.5, y - 15.5
    r2 = dx * dx + dy * dy
    if r2 > 15.5 ** 2:
        return BLACK, True
    if r2 > 14 ** 2:
        return DARK, False
    if r2 < 2.5 ** 2:
        return BLACK, True
    if r2 < 4 ** 2:
        return DARK, False
    if r2 < 8 ** 2:
        return BLUE, False
    return (WHITE if dx < 0 and dy < 0 else GREY), False


def main(path):
    xor_rows, and_rows = [], []
    for y in reversed(range(SIZE)):  # bitmaps are stored bottom-up
        xor = bytearray()
        mask = 0
        for x in range(0, SIZE, 2):
            xor.append((pixel(x, y)[0] << 4) | pixel(x + 1, y)[0])
        for x in range(SIZE):
            mask = (mask << 1) | (1 if pixel(x, y)[1] else 0)
        xor_rows.append(bytes(xor))
        and_rows.append(mask.to_bytes(4, "big"))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(xor_rows) * 16 + len(and_rows) * 4, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    with open(path, "wb") as out:
        out.write(directory + entry + image)


if __name__ == "__main__":
    main(sys.argv[1])
