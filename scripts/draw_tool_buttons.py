#!/usr/bin/env python3
"""Draws the open dialog's tool button glyphs into resources/bitmap/ as 24-bit BMP files.

Each glyph is 16 x 16 on magenta (the transparent colour: buttons take it from the
bottom-left pixel). Run from the repository top: python3 scripts/draw_tool_buttons.py
"""
import os
import struct
import sys

PALETTE = {
    '.': (255, 0, 255),   # transparent
    'k': (0, 0, 0),
    'g': (128, 128, 128),
    'w': (255, 255, 255),
    'y': (255, 214, 90),   # folder face
    'o': (200, 150, 30),   # folder edge
    'd': (150, 100, 10),   # folder shadow
    'G': (40, 150, 50),    # arrow
    'H': (110, 210, 110),  # arrow light
    'D': (20, 90, 30),     # arrow dark
    'b': (40, 80, 170),    # view lines
    'B': (120, 160, 230),  # view squares
    's': (255, 240, 60),   # sparkle
    'S': (230, 150, 0),    # sparkle edge
}

GLYPHS = {
    'BS_BACK': [
        "................",
        "................",
        "......D.........",
        ".....DGD........",
        "....DHGD........",
        "...DHGGDDDDDDD..",
        "..DHGGGGGGGGGGD.",
        ".DHGGGGGGGGGGGD.",
        "..DGGGGGGGGGGGD.",
        "...DGGGDDDDDDDD.",
        "....DGGD........",
        ".....DGD........",
        "......D.........",
        "................",
        "................",
        "................",
    ],
    'BS_UP': [
        "................",
        ".......D........",
        "......DHD.......",
        ".....DHGGD......",
        "....DDDGGDD.....",
        "......DGGD......",
        ".oooo.DGGD......",
        "oyyyyoDGGDooooo.",
        "oyyyyyDDDDyyyyod",
        "oyyyyyyyyyyyyyod",
        "oyyyyyyyyyyyyyod",
        "oyyyyyyyyyyyyyod",
        "oyyyyyyyyyyyyyod",
        "oooooooooooooood",
        ".ddddddddddddddd",
        "................",
    ],
    'BS_NEWFOLDER': [
        "..........S.....",
        "......S..SsS..S.",
        ".......S.SsS.S..",
        "........SsssS...",
        ".....SSssssssSS.",
        "........SsssS...",
        ".oooo..S.SsS.S..",
        "oyyyyo.S.SsS..S.",
        "oyyyyyooooSooo..",
        "oyyyyyyyyyyyyyod",
        "oyyyyyyyyyyyyyod",
        "oyyyyyyyyyyyyyod",
        "oyyyyyyyyyyyyyod",
        "oooooooooooooood",
        ".ddddddddddddddd",
        "................",
    ],
    'BS_LVSTYLE': [
        "................",
        "................",
        ".BBB.bbbbbbbbbb.",
        ".BwB............",
        ".BBB.bbbbbbb....",
        "................",
        ".BBB.bbbbbbbbbb.",
        ".BwB............",
        ".BBB.bbbbbbbb...",
        "................",
        ".BBB.bbbbbbbbbb.",
        ".BwB............",
        ".BBB.bbbbbb.....",
        "................",
        "................",
        "................",
    ],
}


def bmp(rows):
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for ch in row:
            r, g, b = PALETTE[ch]
            line += bytes((b, g, r))
        line += b'\0' * (stride - len(line))
        pixels += line
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join('resources', 'bitmap')
    for name, rows in GLYPHS.items():
        assert len(rows) == 16 and all(len(r) == 16 for r in rows), name
        assert rows[-1][0] == '.', name  # the key colour sits bottom-left
        with open(os.path.join(out, name + '.bmp'), 'wb') as f:
            f.write(bmp(rows))


if __name__ == '__main__':
    main()
