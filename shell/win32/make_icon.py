#!/usr/bin/env python3
"""Draws the program icon: a 32x32, 16-colour calculator console, written as
tolvane.ico (one 4-bit image with its transparency mask)."""
import struct
import sys

# The 16 colours of the standard Windows palette (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DGREEN, DGRAY, LGRAY, GREEN, YELLOW, WHITE, NAVY, RED = 0, 2, 8, 7, 10, 11, 15, 4, 9
CLEAR = None

SIZE = 32


def draw():
    img = [[CLEAR] * SIZE for _ in range(SIZE)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                img[y][x] = colour

    # Body with a dark outline and a light bevel.
    rect(3, 1, 28, 30, BLACK)
    rect(4, 2, 27, 29, LGRAY)
    rect(4, 2, 27, 2, WHITE)
    rect(4, 2, 4, 29, WHITE)
    rect(5, 29, 27, 29, DGRAY)
    rect(27, 3, 27, 29, DGRAY)
    # The console screen: two lines, an entered sum and its result.
    rect(6, 4, 25, 16, BLACK)
    glyphs = {
        'd': ["..#", "..#", "###", "#.#", "###"],
        '>': ["#..", ".#.", "..#", ".#.", "#.."],
        '1': [".#", "##", ".#", ".#", ".#"],
        '+': ["...", ".#.", "###", ".#.", "..."],
        '2': ["##.", "..#", ".#.", "#..", "###"],
        '3': ["##.", "..#", ".#.", "..#", "##."],
    }

    def text(x, y, s, colour):
        for ch in s:
            g = glyphs[ch]
            for dy, row in enumerate(g):
                for dx, c in enumerate(row):
                    if c == '#':
                        img[y + dy][x + dx] = colour
            x += len(g[0]) + 1
        return x

    text(7, 5, "d>1+2", GREEN)
    text(9, 11, "3", WHITE)
    rect(7, 15, 9, 15, YELLOW)  # the caret behind the next prompt
    # Keys: three rows of four, the last column the operators, Enter in red.
    for row in range(3):
        for col in range(4):
            x = 6 + col * 5
            y = 19 + row * 3
            colour = NAVY if col == 3 else DGRAY
            if row == 2 and col == 3:
                colour = RED
            rect(x, y, x + 3, y + 1, colour)
    return img


def write_ico(img, path):
    # 4-bit pixels, bottom row first, rows padded to 4 bytes (16 bytes here).
    pixels = bytearray()
    mask = bytearray()
    for y in reversed(range(SIZE)):
        row = bytearray()
        for x in range(0, SIZE, 2):
            a = img[y][x] if img[y][x] is not None else 0
            b = img[y][x + 1] if img[y][x + 1] is not None else 0
            row.append((a << 4) | b)
        pixels += row
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if img[y][x] is None else 0)
        mask += struct.pack(">I", bits)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(pixels) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(pixels) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + image)


if __name__ == "__main__":
    write_ico(draw(), sys.argv[1] if len(sys.argv) > 1 else "tolvane.ico")
