#!/usr/bin/env python3
"""Draws the bitmaps of the Corvale skins and writes their skin INI: "Slate", and
"Night", the same layout in a dark palette.

Everything is produced from the layout below, so the rectangles of the INI always
match the images; every colour comes from the palette. Standard library only; images
are 24-bit bottom-up BMP files.
Usage: make_skin.py [--palette slate|night] [output folder]
       (default: slate, into skins/<palette> beside this script)
"""
import os
import struct
import sys


class Image:
    def __init__(self, w, h, color=(255, 0, 255)):
        self.w, self.h = w, h
        self.px = [[color] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.h, y1)):
            row = self.px[y]
            for x in range(max(0, x0), min(self.w, x1)):
                row[x] = c

    def vgrad(self, x0, y0, x1, y1, top, bottom):
        n = max(1, y1 - y0 - 1)
        for i, y in enumerate(range(y0, y1)):
            c = tuple(top[k] + (bottom[k] - top[k]) * i // n for k in range(3))
            self.fill(x0, y, x1, y + 1, c)

    def frame(self, x0, y0, x1, y1, light, dark):
        self.fill(x0, y0, x1, y0 + 1, light)
        self.fill(x0, y0, x0 + 1, y1, light)
        self.fill(x0, y1 - 1, x1, y1, dark)
        self.fill(x1 - 1, y0, x1, y1, dark)

    def rounded(self, x0, y0, x1, y1, top, bottom, border):
        self.vgrad(x0, y0, x1, y1, top, bottom)
        self.frame(x0, y0, x1, y1, border, border)
        # Softened corners: half border, half face. Nothing in the engine keys out a colour
        # here, so a key colour would show.
        for (cx, cy), face in (((x0, y0), top), ((x1 - 1, y0), top), ((x0, y1 - 1), bottom), ((x1 - 1, y1 - 1), bottom)):
            self.put(cx, cy, tuple((border[k] + face[k]) // 2 for k in range(3)))

    def glyph(self, x, y, rows, c):
        for j, line in enumerate(rows):
            for i, ch in enumerate(line):
                if ch == '#':
                    self.put(x + i, y + j, c)

    def save(self, path):
        stride = (self.w * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.h - 1, -1, -1):
            row = bytearray()
            for (r, g, b) in self.px[y]:
                row += bytes((b, g, r))
            row += b'\0' * (stride - self.w * 3)
            data += row
        header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
        info = struct.pack('<IiiHHIIiiII', 40, self.w, self.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        with open(path, 'wb') as f:
            f.write(header + info + data)


# ---- palettes -------------------------------------------------------------------------
# Picture colours are (r, g, b); colours written into the INI are the engine's 0x00BBGGRR
# numbers (the *_TEXT and *_BG names and the other INI colours). Masks are black and
# white in every palette.
PALETTES = {
    'slate': dict(
        SKIN_NAME='Slate', SKIN_COMMENTS='A calm blue-grey skin with a record of every kind',
        HEADER='Slate: the Corvale demonstration skin.',
        INK=(30, 36, 48),
        SLATE_TOP=(96, 112, 140), SLATE_BOTTOM=(52, 62, 82),
        INACTIVE_TOP=(150, 156, 168), INACTIVE_BOTTOM=(118, 124, 136),
        CLIENT=(230, 233, 238), TITLE_GLYPH=(255, 255, 255), INACTIVE_GLYPH=(214, 218, 226),
        FACE_TOP=(236, 239, 244), FACE_BOTTOM=(206, 212, 222),
        HOT_TOP=(214, 230, 250), HOT_BOTTOM=(168, 198, 236),
        DOWN_TOP=(150, 176, 214), DOWN_BOTTOM=(190, 208, 234),
        OFF_TOP=(226, 226, 226), OFF_BOTTOM=(214, 214, 214),
        BORDER=(70, 84, 110), OFF_BORDER=(160, 160, 160), ACCENT=(64, 140, 220),
        FIELD=(255, 255, 255), HILITE=(255, 255, 255), PROGRESS_TOP=(120, 190, 250),
        TRACK_TOP=(214, 218, 226), TRACK_BOTTOM=(236, 239, 244), SHEET=(244, 246, 250),
        MENU_BACK=(250, 251, 253), MENU_LINE=(214, 220, 230),
        TIP_TOP=(255, 255, 236), TIP_BOTTOM=(246, 240, 200), TIP_BORDER=(140, 130, 90),
        CAPTION_TOP=(120, 140, 176), CAPTION_BOTTOM=(72, 88, 118),
        BADGE_TOP=(84, 150, 226), BADGE_BOTTOM=(40, 96, 170), BADGE_BORDER=(24, 60, 120),
        SELECT_TOP=(84, 150, 226), SELECT_BOTTOM=(48, 110, 196), SELECT_FRAME=(196, 222, 248),
        BAR_TOP=(244, 246, 250), BAR_BOTTOM=(214, 220, 230), BAR_LINE=(170, 180, 196),
        BACKGROUND_LEVEL=232,
        TEXT=0x302420, ACTIVE_TEXT=0x000000, LIGHT_TEXT=0xFFFFFF, OFF_TEXT=0xA0A0A0, ACCENT_TEXT=0xDC8C40,
        CAPTION_TEXT=0xE0DAD6, SHADOW=0x302420, ACTIVE_SHADOW=0x201810, HINT_TEXT=0x303030,
        MARK=0x6E5446, GRID_LINES=0xC8C0B8, BEVEL_LIGHT=0xFFFFFF,
        FIELD_BG=0xFFFFFF, ACTIVE_FIELD_BG=0xFFF8F0, SLIDER_BG=0xF4F0EC, LIST_BG=0xF8F2EC,
    ),
    'night': dict(
        SKIN_NAME='Night', SKIN_COMMENTS='The Slate layout in a dark palette',
        HEADER='Night: the Corvale demonstration skin in a dark palette.',
        INK=(222, 228, 238),
        SLATE_TOP=(40, 46, 60), SLATE_BOTTOM=(20, 23, 30),
        INACTIVE_TOP=(62, 64, 70), INACTIVE_BOTTOM=(46, 48, 54),
        CLIENT=(38, 41, 48), TITLE_GLYPH=(236, 240, 248), INACTIVE_GLYPH=(140, 144, 152),
        FACE_TOP=(70, 75, 86), FACE_BOTTOM=(50, 54, 63),
        HOT_TOP=(64, 86, 122), HOT_BOTTOM=(44, 62, 94),
        DOWN_TOP=(30, 44, 70), DOWN_BOTTOM=(50, 70, 104),
        OFF_TOP=(52, 53, 57), OFF_BOTTOM=(46, 47, 51),
        BORDER=(104, 116, 140), OFF_BORDER=(84, 85, 92), ACCENT=(92, 164, 242),
        FIELD=(26, 28, 34), HILITE=(96, 104, 120), PROGRESS_TOP=(130, 196, 252),
        TRACK_TOP=(30, 32, 38), TRACK_BOTTOM=(44, 47, 54), SHEET=(42, 45, 52),
        MENU_BACK=(34, 36, 42), MENU_LINE=(64, 68, 80),
        TIP_TOP=(66, 62, 42), TIP_BOTTOM=(50, 46, 30), TIP_BORDER=(160, 150, 100),
        CAPTION_TOP=(58, 70, 98), CAPTION_BOTTOM=(30, 36, 54),
        BADGE_TOP=(72, 132, 212), BADGE_BOTTOM=(36, 84, 150), BADGE_BORDER=(20, 50, 100),
        SELECT_TOP=(66, 124, 206), SELECT_BOTTOM=(40, 92, 172), SELECT_FRAME=(60, 110, 180),
        BAR_TOP=(56, 60, 70), BAR_BOTTOM=(40, 43, 50), BAR_LINE=(76, 82, 96),
        BACKGROUND_LEVEL=44,
        TEXT=0xEEE6E0, ACTIVE_TEXT=0xFFFFFF, LIGHT_TEXT=0xFFFFFF, OFF_TEXT=0x6E6A66, ACCENT_TEXT=0xF2A45C,
        CAPTION_TEXT=0xB8B0A8, SHADOW=0x000000, ACTIVE_SHADOW=0x000000, HINT_TEXT=0xE0ECF0,
        MARK=0xB4A496, GRID_LINES=0x50463E, BEVEL_LIGHT=0x786E64,
        FIELD_BG=0x221C1A, ACTIVE_FIELD_BG=0x2E2622, SLIDER_BG=0x342D2A, LIST_BG=0x2A2320,
    ),
}
# Modules of further record kinds import the palette's names: they are loaded again
# whenever the palette changes.
PART_MODULES = ['slate_speedbuttons', 'slate_combo', 'slate_lists', 'slate_hints']


def use_palette(name):
    """Makes the palette's colours the module's own names."""
    g = globals()
    g.update(PALETTES[name])
    g['PALETTE'] = name
    g['STATES'] = [(FACE_TOP, FACE_BOTTOM, BORDER), (HOT_TOP, HOT_BOTTOM, ACCENT),
                   (DOWN_TOP, DOWN_BOTTOM, BORDER), (OFF_TOP, OFF_BOTTOM, OFF_BORDER)]
    for m in PART_MODULES:
        sys.modules.pop(m, None)


use_palette('slate')

GLYPHS = {
    'close': ["#.....#", ".#...#.", "..#.#..", "...#...", "..#.#..", ".#...#.", "#.....#"],
    'max': ["#######", "#######", "#.....#", "#.....#", "#.....#", "#.....#", "#######"],
    'min': [".......", ".......", ".......", ".......", ".......", "#######", "#######"],
    'restore': ["..#####", "..#...#", "#####.#", "#...###", "#...#..", "#...#..", "#####.."],
    'rollup': ["...#...", "..###..", ".#####.", "#######", ".......", ".......", "......."],
    'tray': [".......", ".......", ".......", ".......", "#######", "#.....#", "#######"],
    'sys': ["..###..", ".#####.", "#######", "#######", "#######", ".#####.", "..###.."],
    'up': ["...#...", "..###..", ".#####.", "#######"],
    'down': ["#######", ".#####.", "..###..", "...#..."],
    'left': ["...#", "..##", ".###", "####", ".###", "..##", "...#"],
    'right': ["#...", "##..", "###.", "####", "###.", "##..", "#..."],
    'check': ["......#", ".....##", "#...##.", "##.##..", ".###...", "..#...."],
    'grip': ["#.#.#.#", ".......", "#.#.#.#"],
}


def R(x, y, w, h):
    return (x, y, x + w, y + h)


def rs(r):
    return '%d,%d,%d,%d' % r


def ps(p):
    return '%d,%d' % p


def draw_frame(active):
    """Main and inactive frame pictures, 320x200, plus the caption objects."""
    im = Image(320, 200)
    top, bottom = (SLATE_TOP, SLATE_BOTTOM) if active else (INACTIVE_TOP, INACTIVE_BOTTOM)
    im.rounded(0, 0, 320, 140, top, bottom, INK)
    im.fill(5, 26, 315, 135, CLIENT)
    im.frame(4, 25, 316, 136, bottom, top)
    title = TITLE_GLYPH if active else INACTIVE_GLYPH
    im.glyph(8, 9, GLYPHS['grip'], title)
    # caption buttons: 18x18 in three states each, row y=142 (normal), 162 (active), 182 (down)
    # The normal images also sit on the title bar at the buttons' skin rectangles, as
    # they are part of the frame picture.
    on_title = {'close': 296, 'max': 276, 'min': 256, 'rollup': 236, 'tray': 216, 'sys': 4}
    for i, name in enumerate(['close', 'max', 'min', 'rollup', 'tray', 'sys', 'restore']):
        for s, (t, b, border) in enumerate(STATES[:3]):
            x, y = 2 + i * 22, 142 + s * 20
            if not active and s == 0:
                t, b, border = STATES[3]
            places = [(x, y)] + ([(on_title[name], 4)] if s == 0 and name in on_title else [])
            for (px, py) in places:
                im.rounded(px, py, px + 18, py + 18, t, b, border)
                im.glyph(px + 6 - (1 if name != 'sys' else 0), py + 6 - (1 if name not in ('up', 'down') else 0),
                         GLYPHS[name], INK)
    # caption frame for the rolled-up look and an animation strip of 4 frames (16x16)
    for f in range(4):
        x = 160 + f * 18
        im.rounded(x, 142, x + 16, 158, HOT_TOP, (100 + 30 * f, 150, 220), ACCENT)
    im.rounded(160, 162, 316, 180, top, bottom, INK)
    return im


def frame_picture(active):
    """The frame itself: the top 140 rows, the size of the mask (the rows below hold
    the state images that objects.bmp repeats)."""
    full = draw_frame(active)
    im = Image(320, 140)
    im.px = [list(row) for row in full.px[:140]]
    return im


def draw_mask():
    """Black is the window; the rounded corners' outer pixels are cut off."""
    im = Image(320, 140, (0, 0, 0))
    for (x, y) in ((0, 0), (1, 0), (0, 1), (319, 0), (318, 0), (319, 1),
                   (0, 139), (319, 139)):
        im.put(x, y, (255, 255, 255))
    return im


def button_states(im, x, y, w, h):
    rects = []
    for s, (t, b, border) in enumerate(STATES):
        rx = x + s * (w + 4)
        im.rounded(rx, y, rx + w, y + h, t, b, border)
        rects.append(R(rx, y, w, h))
    return rects


def draw_controls():
    im = Image(256, 512)
    rec = {}
    # push buttons 60x24, four states
    b = button_states(im, 0, 0, 60, 24)
    rec['button'] = b
    # drop-down part of a menu button 14x24 with an arrow
    im.rounded(0, 28, 14, 52, FACE_TOP, FACE_BOTTOM, BORDER)
    im.glyph(4, 38, GLYPHS['down'], INK)
    rec['trackbutton'] = R(0, 28, 14, 24)
    # check and radio images 13x13: normal, active, disabled (checked/unchecked)
    checks = {}
    for kind, yy in (('check', 56), ('radio', 72)):
        for s, (t, bb, border) in enumerate([STATES[0], STATES[1], STATES[3]]):
            for on in (1, 0):
                x = (s * 2 + (1 - on)) * 16
                im.rounded(x, yy, x + 13, yy + 13, FIELD, t, border)
                if on:
                    if kind == 'check':
                        im.glyph(x + 3, yy + 4, GLYPHS['check'], INK if s < 2 else OFF_BORDER)
                    else:
                        im.fill(x + 4, yy + 4, x + 9, yy + 9, ACCENT if s < 2 else OFF_BORDER)
                checks[(kind, s, on)] = R(x, yy, 13, 13)
    rec['checks'] = checks
    # check/radio background 120x20, normal and active
    im.vgrad(0, 88, 120, 108, FACE_TOP, FACE_BOTTOM)
    im.vgrad(128, 88, 248, 108, HOT_TOP, HOT_BOTTOM)
    rec['checkradio'] = (R(0, 88, 120, 20), R(128, 88, 120, 20))
    # group box / panel 120x64 with an 18-pixel caption bar
    for i, x in enumerate((0, 128)):
        im.rounded(x, 112, x + 120, 176, FACE_TOP, FACE_BOTTOM, BORDER)
        if i == 0:
            im.vgrad(x + 1, 113, x + 119, 130, SLATE_TOP, SLATE_BOTTOM)
    rec['groupbox'] = R(0, 112, 120, 64)
    rec['panel'] = R(128, 112, 120, 64)
    # gauge 120x16 and its progress image 100x12
    im.rounded(0, 180, 120, 196, FIELD, FACE_BOTTOM, BORDER)
    im.vgrad(128, 182, 228, 194, PROGRESS_TOP, ACCENT)
    rec['gauge'] = (R(0, 180, 120, 16), R(128, 182, 100, 12))
    # track bar 120x20 with thumbs 10x18
    im.vgrad(0, 200, 120, 220, FACE_TOP, FACE_BOTTOM)
    im.frame(6, 208, 114, 212, BORDER, HILITE)
    im.rounded(128, 200, 138, 218, FACE_TOP, FACE_BOTTOM, BORDER)
    im.rounded(140, 200, 150, 218, HOT_TOP, HOT_BOTTOM, ACCENT)
    rec['trackbar'] = (R(0, 200, 120, 20), R(128, 200, 10, 18), R(140, 200, 10, 18))
    # scroll bar 120x16; arrow buttons and thumbs 16x16 in three states
    im.vgrad(0, 224, 120, 240, TRACK_TOP, TRACK_BOTTOM)
    sb = {}
    for s, (t, bb, border) in enumerate(STATES[:3]):
        for j, g in enumerate(('left', 'right', 'up', 'down')):
            x, y = 128 + s * 18, 224 + j * 18
            im.rounded(x, y, x + 16, y + 16, t, bb, border)
            im.glyph(x + 6 if g in ('left', 'right') else x + 5, y + 5 if g in ('up', 'down') else y + 4,
                     GLYPHS[g], INK)
            sb[(g, s)] = R(x, y, 16, 16)
        x = 184 + s * 22
        im.rounded(x, 224, x + 20, 240, t, bb, border)
        im.glyph(x + 7, 229, ["###", "...", "###", "...", "###"], INK)
        sb[('thumb', s)] = R(x, 224, 20, 16)
        sb[('glyph', s)] = R(x + 7, 229, 3, 5)
    rec['scroll'] = sb
    # edit frame 120x22, normal and active; small buttons 16x18 in four states
    for i, border in enumerate((BORDER, ACCENT)):
        x = i * 128
        im.fill(x, 300, x + 120, 322, FIELD)
        im.frame(x, 300, x + 120, 322, border, border)
    rec['edit'] = (R(0, 300, 120, 22), R(128, 300, 120, 22))
    eb = []
    for s, (t, bb, border) in enumerate(STATES):
        x = s * 18
        im.rounded(x, 326, x + 16, 344, t, bb, border)
        im.glyph(x + 5, 333, GLYPHS['down'], INK if s < 3 else OFF_BORDER)
        eb.append(R(x, 326, 16, 18))
    rec['editbutton'] = eb
    # spin buttons 14x10: up and down in three states
    sp = {}
    for s, (t, bb, border) in enumerate(STATES[:3]):
        for j, g in enumerate(('up', 'down')):
            x, y = 80 + s * 16, 326 + j * 11
            im.rounded(x, y, x + 14, y + 10, t, bb, border)
            im.glyph(x + 4, y + 3, GLYPHS[g], INK)
            sp[(g, s)] = R(x, y, 14, 10)
    rec['spin'] = sp
    # list items 110x18: normal (transparent-ish face), active, focused
    im.fill(0, 348, 110, 366, FIELD)
    im.vgrad(0, 368, 110, 386, HOT_TOP, HOT_BOTTOM)
    im.vgrad(112, 368, 222, 386, DOWN_TOP, DOWN_BOTTOM)
    im.frame(112, 368, 222, 386, ACCENT, ACCENT)
    rec['items'] = (R(0, 348, 110, 18), R(0, 368, 110, 18), R(112, 368, 110, 18))
    # list box / memo frame 120x80 with a caption of 16
    im.fill(0, 390, 120, 470, FIELD)
    im.frame(0, 390, 120, 470, BORDER, BORDER)
    im.vgrad(1, 391, 119, 406, SLATE_TOP, SLATE_BOTTOM)
    rec['listframe'] = R(0, 390, 120, 80)
    # tabs 56x22 in four states and the tab sheet frame 120x36
    tabs = []
    for s, (t, bb, border) in enumerate(STATES):
        x = 128 + (s % 2) * 60
        y = 390 + (s // 2) * 24
        im.rounded(x, y, x + 56, y + 22, t, bb, border if s != 3 else ACCENT)
        tabs.append(R(x, y, 56, 22))
    rec['tabs'] = tabs
    im.fill(128, 440, 248, 476, SHEET)
    im.frame(128, 440, 248, 476, BORDER, BORDER)
    rec['tabsheet'] = R(128, 440, 120, 36)
    # grid cells 40x18: fixed, selected, focused
    im.vgrad(0, 474, 40, 492, FACE_TOP, FACE_BOTTOM)
    im.fill(42, 474, 82, 492, HOT_BOTTOM)
    im.fill(84, 474, 124, 492, DOWN_TOP)
    im.frame(84, 474, 124, 492, ACCENT, ACCENT)
    rec['cells'] = (R(0, 474, 40, 18), R(42, 474, 40, 18), R(84, 474, 40, 18))
    # slider rulers and thumbs, menu bar strip
    im.fill(0, 496, 100, 500, BORDER)
    im.rounded(102, 494, 110, 506, FACE_TOP, FACE_BOTTOM, BORDER)
    im.fill(120, 480, 124, 510, BORDER)
    im.rounded(126, 496, 138, 504, FACE_TOP, FACE_BOTTOM, BORDER)
    rec['slider'] = (R(0, 496, 100, 4), R(102, 494, 8, 12), R(120, 480, 4, 30), R(126, 496, 12, 8))
    im.vgrad(140, 480, 256, 500, FACE_TOP, FACE_BOTTOM)
    rec['menubar'] = R(140, 480, 116, 20)
    return im, rec


# ---- push buttons --------------------------------------------------------------------
# One "button" record per resize mode (0 fixed, 1 both ways, 2 horizontal, 3 vertical)
# and one shaped by a mask, all drawn from the four 60x24 state images of controls.bmp.
BUTTON_MASK_INDEX = 3


def draw_button_mask():
    """Mask of a 60x24 button: black inside, white cut-off corners (2-pixel diagonals)."""
    im = Image(60, 24, (0, 0, 0))
    white = (255, 255, 255)
    for (cx, cy, dx, dy) in ((0, 0, 1, 1), (59, 0, -1, 1), (0, 23, 1, -1), (59, 23, -1, -1)):
        for (i, j) in ((0, 0), (1, 0), (0, 1), (2, 0), (0, 2)):
            im.put(cx + dx * i, cy + dy * j, white)
    return im


def button_controls(control, font, ctl):
    """Writes the push button records; returns the key list shared by the menu button."""
    b = ctl['button']
    w, h = b[0][2] - b[0][0], b[0][3] - b[0][1]

    def keys(morphkind, morphing=1):
        return font() + [('activefontcolor', ACTIVE_TEXT), ('downfontcolor', LIGHT_TEXT),
                         ('disabledfontcolor', OFF_TEXT), ('activeskinrect', rs(b[1])),
                         ('downskinrect', rs(b[2])), ('disabledskinrect', rs(b[3])),
                         ('morphing', morphing), ('morphkind', morphkind)]

    both = ((4, 4), (w - 4, 4), (4, h - 4), (w - 4, h - 4), (4, 4, w - 4, h - 4))
    control('button', 'button', b[0], keys('mkgradient'), points=both)
    control('resizebutton', 'button', b[0], keys('mkpush'), points=both)
    # fixed size: no corner points
    control('fixedbutton', 'button', b[0], keys('mkdefault'),
            points=((0, 0), (0, 0), (0, 0), (0, 0), (4, 4, w - 4, h - 4)))
    # horizontal strip: 6-pixel ends, the middle tiled; the height stays 24
    control('hbutton', 'button', b[0], keys('mkleftslide'),
            points=((6, 0), (w - 6, 0), (0, 0), (0, 0), (6, 4, w - 6, h - 4)))
    # vertical strip: 6-pixel ends, the middle tiled; the width stays 60
    control('vbutton', 'button', b[0], keys('mkrightgradient', morphing=0),
            points=((0, 6), (0, 0), (0, h - 6), (0, 0), (4, 6, w - 4, h - 6)))
    # resizable both ways with its corners cut off by a mask
    control('maskbutton', 'button', b[0], keys('mkleftgradient'), points=both,
            maskpictureindex=BUTTON_MASK_INDEX)
    return keys('mkgradient')


def draw_windows():
    """Popup menu window and hint window skins (index 1), 128x96."""
    im = Image(128, 96)
    im.fill(0, 0, 80, 60, MENU_BACK)
    im.frame(0, 0, 80, 60, BORDER, BORDER)
    im.vgrad(1, 1, 12, 59, FACE_TOP, FACE_BOTTOM)
    im.rounded(84, 0, 128, 30, TIP_TOP, TIP_BOTTOM, TIP_BORDER)
    # menu item images 60x18: normal, active, divider strip
    im.fill(0, 64, 60, 82, MENU_BACK)
    im.vgrad(62, 64, 122, 82, HOT_TOP, HOT_BOTTOM)
    im.frame(62, 64, 122, 82, ACCENT, ACCENT)
    im.fill(0, 86, 60, 87, OFF_BORDER)
    im.fill(0, 87, 60, 88, HILITE)
    return im


def draw_background():
    im = Image(32, 32)
    for y in range(32):
        for x in range(32):
            v = BACKGROUND_LEVEL + ((x * 7 + y * 13) % 9) - 4
            im.put(x, y, (v - 4, v - 2, v + 2 if v < 253 else 255))
    return im


# ---- skin form objects: popup window, menu items, caption objects --------------------
# The popup-menu window's image is a whole picture of its own (popup.bmp). Menu items,
# the caption's active background and text frame, the caption buttons' state images and
# the logo animation live in objects.bmp, whose lower rows (y >= 140) repeat the frame
# picture's, so the caption buttons keep the rectangles they have there.
OBJECT_PICTURE_BASE = BUTTON_MASK_INDEX + 1
POPUP_INDEX = OBJECT_PICTURE_BASE
OBJECTS_INDEX = OBJECT_PICTURE_BASE + 1
OBJECT_PICTURES = ['popup.bmp', 'objects.bmp']
MENU_ITEM = R(0, 0, 60, 20)
MENU_ITEM_ACTIVE = R(64, 0, 60, 20)
MENU_DIVIDER = R(0, 24, 60, 4)
MENU_GLYPH_COLUMN = 20
CAPTION_ACTIVE = R(0, 32, 152, 20)
CAPTION_FRAME = R(160, 32, 40, 18)
LOGO_FRAMES = R(0, 60, 64, 16)


def draw_popup():
    """The popup window, 48x40: a 3-pixel border around the items area."""
    im = Image(48, 40, MENU_BACK)
    im.frame(0, 0, 48, 40, BORDER, BORDER)
    im.frame(1, 1, 47, 39, HILITE, MENU_LINE)
    im.frame(2, 2, 46, 38, FACE_TOP, FACE_TOP)
    im.fill(0, 0, 48, 1, ACCENT)
    return im


def draw_objects():
    """Menu items, caption images and the logo frames above a copy of the frame's rows."""
    im = Image(320, 200)
    frame = draw_frame(True)
    for y in range(140, 200):
        im.px[y] = list(frame.px[y])
    x0, y0, x1, y1 = MENU_ITEM
    im.fill(x0, y0, x1, y1, MENU_BACK)
    im.vgrad(x0, y0, x0 + MENU_GLYPH_COLUMN - 1, y1, FACE_TOP, FACE_BOTTOM)
    im.fill(x0 + MENU_GLYPH_COLUMN - 1, y0, x0 + MENU_GLYPH_COLUMN, y1, MENU_LINE)
    x0, y0, x1, y1 = MENU_ITEM_ACTIVE
    im.vgrad(x0, y0, x1, y1, HOT_TOP, HOT_BOTTOM)
    im.frame(x0, y0, x1, y1, ACCENT, ACCENT)
    x0, y0, x1, y1 = MENU_DIVIDER
    im.fill(x0, y0, x1, y1, MENU_BACK)
    im.vgrad(x0, y0, x0 + MENU_GLYPH_COLUMN - 1, y1, FACE_TOP, FACE_BOTTOM)
    im.fill(x0 + MENU_GLYPH_COLUMN - 1, y0, x0 + MENU_GLYPH_COLUMN, y1, MENU_LINE)
    im.fill(x0 + MENU_GLYPH_COLUMN + 2, y0 + 1, x1, y0 + 2, OFF_BORDER)
    im.fill(x0 + MENU_GLYPH_COLUMN + 2, y0 + 2, x1, y0 + 3, HILITE)
    x0, y0, x1, y1 = CAPTION_ACTIVE
    im.vgrad(x0, y0, x1, y1, CAPTION_TOP, CAPTION_BOTTOM)
    x0, y0, x1, y1 = CAPTION_FRAME
    im.rounded(x0, y0, x1, y1, BADGE_TOP, BADGE_BOTTOM, BADGE_BORDER)
    x0, y0, x1, y1 = LOGO_FRAMES
    for f in range(4):
        im.rounded(x0 + 16 * f, y0, x0 + 16 * f + 16, y1, HOT_TOP, (100 + 40 * f, 150, 220), ACCENT)
        im.fill(x0 + 16 * f + 4 + f, y0 + 6, x0 + 16 * f + 7 + f, y0 + 10, INK)
    return im


def save_object_pictures(out):
    draw_popup().save(os.path.join(out, 'popup.bmp'))
    draw_objects().save(os.path.join(out, 'objects.bmp'))


def popup_window_section(sec, kv):
    sec('POPUPWINDOW')
    kv('windowpictureindex', POPUP_INDEX)
    kv('maskpictureindex', -1)
    kv('lefttoppoint', '6,6')
    kv('righttoppoint', '42,6')
    kv('leftbottompoint', '6,34')
    kv('rightbottompoint', '42,34')
    kv('itemsrect', '3,3,45,37')
    kv('scrollmarkercolor', MARK)
    kv('scrollmarkeractivecolor', ACCENT_TEXT)
    for k in ('leftstretch', 'rightstretch', 'topstretch', 'bottomstretch'):
        kv(k, 1)


def form_object_sections(sec, kv):
    """Caption buttons, caption, logo animation, frame button and menu item; returns
    their (name, type word) entries."""
    objects = []
    cmds = {'close': 'cmclose', 'max': 'cmmaximize', 'min': 'cmminimize', 'rollup': 'cmrollup',
            'tray': 'cmminimizetotray', 'sys': 'cmsysmenu'}
    hints = {'close': 'Close', 'max': 'Maximize', 'min': 'Minimize', 'rollup': 'Roll Up',
             'tray': 'Minimize to Tray', 'sys': 'System menu'}
    # buttons right to left in the caption: close, max, min, rollup, tray; sysmenu on the left
    right = 316
    for i, name in enumerate(['close', 'max', 'min', 'rollup', 'tray', 'sys']):
        oid = name + 'button'
        objects.append((oid, 'stdbutton'))
        x = 2 + i * 22
        pos = R(4, 4, 18, 18) if name == 'sys' else R(right - 20 * (i + 1), 4, 18, 18)
        sec(oid)
        kv('hint', hints[name])
        kv('activepictureindex', OBJECTS_INDEX)
        kv('skinrectinapicture', 0)
        kv('skinrect', rs(pos))
        kv('activeskinrect', rs(R(x, 162, 18, 18)))
        kv('inactiveskinrect', rs(R(x, 142, 18, 18)))
        kv('morphing', 1)
        kv('morphkind', 'mkgradient')
        kv('downrect', rs(R(x, 182, 18, 18)))
        kv('disableskinrsect', rs(R(x, 142, 18, 18)))
        kv('command', cmds[name])
        if name == 'max':
            rx = 2 + 6 * 22
            kv('restorerect', rs(R(rx, 142, 18, 18)))
            kv('restoreactiverect', rs(R(rx, 162, 18, 18)))
            kv('restoredownrect', rs(R(rx, 182, 18, 18)))
            kv('restoreinactiverect', rs(R(rx, 142, 18, 18)))
    objects.append(('caption', 'caption'))
    sec('caption')
    kv('activepictureindex', OBJECTS_INDEX)
    kv('skinrect', '24,4,176,24')
    kv('activeskinrect', rs(CAPTION_ACTIVE))
    kv('morphing', 1)
    kv('morphkind', 'mkgradient')
    kv('textrect', '0,0,152,20')
    kv('fontname', 'Arial')
    kv('fontheight', 14)
    kv('fontstyle', 'fsbold')
    kv('fontcolor', CAPTION_TEXT)
    kv('activefontcolor', LIGHT_TEXT)
    kv('alignment', 'taleftjustify')
    kv('shadow', 1)
    kv('shadowcolor', SHADOW)
    kv('activeshadowcolor', ACTIVE_SHADOW)
    kv('framerect', rs(CAPTION_FRAME))
    kv('activeframerect', rs(CAPTION_FRAME))
    kv('frametextrect', '6,1,34,17')
    kv('frameleftoffset', 6)
    kv('framerightoffset', 6)
    objects.append(('logo', 'animate'))
    sec('logo')
    kv('hint', 'Corvale')
    kv('skinrect', '178,6,194,22')
    kv('activepictureindex', OBJECTS_INDEX)
    kv('skinrectinapicture', 0)
    kv('activeskinrect', rs(LOGO_FRAMES))
    kv('countframes', 4)
    kv('cycle', 1)
    kv('buttonstyle', 1)
    kv('timerinterval', 120)
    kv('command', 'cmdefault')
    kv('morphing', 1)
    objects.append(('framebutton', 'button'))
    sec('framebutton')
    kv('activepictureindex', OBJECTS_INDEX)
    kv('skinrectinapicture', 1)
    kv('skinrect', rs(R(160, 142, 16, 16)))
    kv('activeskinrect', rs(R(178, 142, 16, 16)))
    kv('downrect', rs(R(196, 142, 16, 16)))
    kv('disableskinrsect', rs(R(214, 142, 16, 16)))
    objects.append(('menuitem', 'menuitem'))
    sec('menuitem')
    kv('activepictureindex', OBJECTS_INDEX)
    kv('skinrectinapicture', 1)
    kv('skinrect', rs(MENU_ITEM))
    kv('activeskinrect', rs(MENU_ITEM_ACTIVE))
    kv('morphing', 1)
    kv('morphkind', 'mkdefault')
    kv('itemleftoffset', MENU_GLYPH_COLUMN)
    kv('itemrightoffset', 2)
    kv('dividerrect', rs(MENU_DIVIDER))
    kv('dividerleftoffset', MENU_GLYPH_COLUMN + 2)
    kv('dividerrightoffset', 0)
    kv('textrect', '4,0,58,20')
    kv('fontname', 'Arial')
    kv('fontheight', 14)
    kv('fontstyle', '')
    kv('fontcolor', TEXT)
    kv('activefontcolor', ACTIVE_TEXT)
    kv('unenabledfontcolor', OFF_TEXT)
    return objects
# ---- end of the skin form objects ----------------------------------------------------



def build_ini(ctl):
    L = []
    sec = lambda name: L.append('\n[%s]' % name)
    kv = lambda k, v: L.append('%s=%s' % (k, v))

    L.append('; %s Generated by make_skin.py.' % HEADER)
    sec('VERSION')
    kv('skinname', SKIN_NAME)
    kv('skinauthor', 'Corvale')
    kv('authoremail', 'skins@corvale.invalid')
    kv('authorurl', 'https://corvale.invalid/skins')
    kv('skincomments', SKIN_COMMENTS)
    sec('PICTURES')
    kv('picture', 'frame.bmp')
    kv('inactivepicture', 'frame_inactive.bmp')
    kv('mask', 'frame_mask.bmp')
    kv('activepicturescount', EXTRA_PICTURE_BASE + sum(len(m.PICTURES) for m in extra_parts()))
    kv('0', 'controls.bmp')
    kv('1', 'windows.bmp')
    kv('2', 'background.bmp')
    kv('3', 'buttonmask.bmp')
    for i, name in enumerate(OBJECT_PICTURES):
        kv(str(OBJECT_PICTURE_BASE + i), name)
    for i, name in enumerate(PANEL_PICTURES):
        kv(str(PANEL_PICTURE_BASE + i), name)
    for i, name in enumerate(SCROLL_PICTURES):
        kv(str(SCROLL_PICTURE_BASE + i), name)
    for base, m in extra_part_bases():
        for i, name in enumerate(m.PICTURES):
            kv(str(base + i), name)

    sec('FORMINFO')
    kv('lefttoppoint', '40,26')
    # The right corners hold the caption buttons, so they move with the right edge.
    kv('righttoppoint', '170,26')
    kv('leftbottompoint', '40,134')
    kv('rightbottompoint', '170,134')
    kv('clientrect', '5,26,315,135')
    kv('bgpictureindex', 2)
    kv('mdibgpictureindex', 2)
    for k in ('leftstretch', 'rightstretch', 'topstretch', 'bottomstretch'):
        kv(k, 1)
    kv('maskrectarea', '2,2,318,138')
    kv('buttonsrect', '176,5,214,23')
    kv('captionrect', '24,4,176,24')
    kv('buttonsoffset', 2)
    kv('buttonsinleft', 0)
    kv('mainmenupopupup', 0)
    kv('borderwidth', 4)
    kv('autorenderinginactiveimage', 0)
    kv('inactiveeffect', 'iedarkness')

    popup_window_section(sec, kv)

    # The hint window's record comes with its picture from its module.
    for base, m in extra_part_bases():
        if hasattr(m, 'hint_window_section'):
            m.hint_window_section(sec, kv, base)

    objects = form_object_sections(sec, kv)
    objects.append(('menubaritem', 'mainmenubaritem'))
    sec('menubaritem')
    kv('activepictureindex', 0)
    kv('skinrectinapicture', 1)
    kv('skinrect', '0,348,60,366')
    kv('activeskinrect', '0,368,60,386')
    kv('downrect', '112,368,172,386')
    kv('itemleftoffset', 6)
    kv('itemrightoffset', 6)
    kv('textrect', '6,0,54,18')
    kv('fontname', 'Arial')
    kv('fontheight', 14)
    kv('fontcolor', TEXT)
    kv('activefontcolor', ACTIVE_TEXT)
    kv('downfontcolor', LIGHT_TEXT)
    kv('unenabledfontColor', OFF_TEXT)
    objects.append(('menubarclose', 'mainmenubarbutton'))
    sec('menubarclose')
    kv('activepictureindex', OBJECTS_INDEX)
    kv('skinrectinapicture', 1)
    kv('skinrect', rs(R(2, 142, 18, 18)))
    kv('activeskinrect', rs(R(2, 162, 18, 18)))
    kv('downrect', rs(R(2, 182, 18, 18)))
    kv('command', 'cmclose')
    objects.append(('watermark', 'userobject'))
    sec('watermark')
    kv('skinrect', '6,120,40,132')

    sec('SKINOBJECTS')
    kv('count', len(objects))
    for i, (oid, word) in enumerate(objects):
        kv(str(i), '%s:%s' % (oid, word))

    controls = []

    def control(name, word, skinrect, keys, pictureindex=0, custom=True, points=None, maskpictureindex=-1):
        controls.append((name, word))
        L.append('\n[%s]' % name)
        kv('pictureindex', pictureindex)
        kv('maskpictureindex', maskpictureindex)
        kv('skinrect', rs(skinrect))
        if custom:
            w, h = skinrect[2] - skinrect[0], skinrect[3] - skinrect[1]
            lt, rt, lb, rb, cr = points or ((4, 4), (w - 4, 4), (4, h - 4), (w - 4, h - 4), (4, 4, w - 4, h - 4))
            kv('lefttoppoint', ps(lt))
            kv('righttoppoint', ps(rt))
            kv('leftbottompoint', ps(lb))
            kv('rightbottompoint', ps(rb))
            kv('clientrect', rs(cr))
        for k, v in keys:
            kv(k, v)

    def font(prefix='', color=None, height=14, style=''):
        color = TEXT if color is None else color
        return [(prefix + 'fontname', 'Arial'), (prefix + 'fontheight', height),
                (prefix + 'fontstyle', style), (prefix + 'fontcolor', color)]

    button_keys = button_controls(control, font, ctl)
    control('menubutton', 'menubutton', ctl['button'][0], button_keys + [('trackbuttonrect', rs(ctl['trackbutton']))])
    c = ctl['checks']
    cr = ctl['checkradio']
    for name, kind, morph in (('checkbox', 'check', 'mkleftgradient'), ('radiobox', 'radio', 'mkrightgradient')):
        control(name, 'checkradio', cr[0],
                font() + [('activefontcolor', ACTIVE_TEXT), ('unenabledfontcolor', OFF_TEXT),
                          ('framefontcolor', TEXT), ('activeskinrect', rs(cr[1])),
                          ('checkimagearea', '2,3,15,16'), ('textarea', '18,0,120,20'),
                          ('checkimagerect', rs(c[(kind, 0, 1)])), ('uncheckimagerect', rs(c[(kind, 0, 0)])),
                          ('activecheckimagerect', rs(c[(kind, 1, 1)])),
                          ('activeuncheckimagerect', rs(c[(kind, 1, 0)])),
                          ('unenabledcheckimagerect', rs(c[(kind, 2, 1)])),
                          ('unenableduncheckimagerect', rs(c[(kind, 2, 0)])),
                          ('morphing', 1), ('morphkind', morph)],
                points=((4, 4), (116, 4), (4, 16), (116, 16), (2, 2, 118, 18)))
    gb_points = ((6, 20), (114, 20), (6, 58), (114, 58), (4, 20, 116, 60))
    control('groupbox', 'panel', ctl['groupbox'],
            [('bgpictureindex', -1), ('captionrect', '4,0,116,18'), ('alignment', 'tacenter')]
            + font(color=LIGHT_TEXT, style='fsbold')
            + [('checkimagerect', rs(c[('check', 0, 1)])), ('uncheckimagerect', rs(c[('check', 0, 0)]))],
            points=gb_points)
    control('panel', 'panel', ctl['panel'],
            [('bgpictureindex', 2), ('captionrect', '0,0,0,0'), ('alignment', 'taleftjustify')] + font())
    panel_controls(control, font, draw_panels()[1])
    control('expanel', 'expanel', ctl['groupbox'],
            [('rollhskinrect', '0,112,120,130'), ('rollvskinrect', '0,112,18,176'),
             ('rollleftoffset', 2), ('rollrightoffset', 2), ('rolltopoffset', 2), ('rollbottomoffset', 2),
             ('rollvcaptionrect', '0,18,18,64'), ('rollhcaptionrect', '18,0,100,18'),
             ('closebuttonrect', rs(ctl['scroll'][('up', 0)])),
             ('closebuttonactiverect', rs(ctl['scroll'][('up', 1)])),
             ('closebuttondownrect', rs(ctl['scroll'][('up', 2)])),
             ('hrollbuttonrect', rs(ctl['scroll'][('left', 0)])),
             ('hrollbuttonactiverect', rs(ctl['scroll'][('left', 1)])),
             ('hrollbuttondownrect', rs(ctl['scroll'][('left', 2)])),
             ('hrestorebuttonrect', rs(ctl['scroll'][('right', 0)])),
             ('hrestorebuttonactiverect', rs(ctl['scroll'][('right', 1)])),
             ('hrestorebuttondownrect', rs(ctl['scroll'][('right', 2)])),
             ('vrollbuttonrect', rs(ctl['scroll'][('up', 0)])),
             ('vrollbuttonactiverect', rs(ctl['scroll'][('up', 1)])),
             ('vrollbuttondownrect', rs(ctl['scroll'][('up', 2)])),
             ('vrestorebuttonrect', rs(ctl['scroll'][('down', 0)])),
             ('vrestorebuttonactiverect', rs(ctl['scroll'][('down', 1)])),
             ('vrestorebuttondownrect', rs(ctl['scroll'][('down', 2)])),
             ('captionrect', '4,0,100,18')] + font(color=LIGHT_TEXT, style='fsbold'),
            points=gb_points)
    g = ctl['gauge']
    control('gauge', 'gauge', g[0], [('progressarea', '2,2,118,14'), ('progressrect', rs(g[1])),
                                    ('beginoffset', 2), ('endoffset', 2), ('vertical', 0)] + font())
    control('splitter', 'splitter', R(0, 200, 120, 6), [])
    t = ctl['trackbar']
    control('trackbar', 'trackbar', t[0], [('trackarea', '6,1,114,19'), ('buttonrect', rs(t[1])),
                                          ('activebuttonrect', rs(t[2])), ('vertical', 0)])
    control('label', 'label', ctl['panel'], font(style='fsitalic'))
    control('stdlabel', 'stdlabel', R(0, 0, 0, 0), font() + [('activefontcolor', ACCENT_TEXT)], custom=False)
    sb = ctl['scroll']
    arrows = lambda a, z: [('upbuttonrect', rs(sb[(a, 0)])), ('activeupbuttonrect', rs(sb[(a, 1)])),
                           ('downupbuttonrect', rs(sb[(a, 2)])), ('downbuttonrect', rs(sb[(z, 0)])),
                           ('activedownbuttonrect', rs(sb[(z, 1)])), ('downdownbuttonrect', rs(sb[(z, 2)]))]
    control('updown', 'updown', R(128, 224, 16, 32), arrows('up', 'down'))
    cells = ctl['cells']
    control('grid', 'grid', ctl['tabsheet'],
            [('fixedcellrect', rs(cells[0])), ('selectcellrect', rs(cells[1])), ('focuscellrect', rs(cells[2])),
             ('fixedcellleftoffset', 2), ('fixedcellrightoffset', 2), ('fixedcelltextrect', '2,0,38,18'),
             ('cellleftoffset', 2), ('cellrightoffset', 2), ('celltextrect', '2,0,38,18'),
             ('linescolor', GRID_LINES), ('bgcolor', FIELD_BG)] + font()
            + [('selectfontcolor', ACTIVE_TEXT), ('focusfontcolor', ACTIVE_TEXT)] + font('fixed', style='fsbold'),
            custom=False)
    tabs = ctl['tabs']
    control('tab', 'tab', ctl['tabsheet'],
            [('tabrect', rs(tabs[0])), ('activetabrect', rs(tabs[1])), ('focustabrect', rs(tabs[3])),
             ('mouseintabrect', rs(tabs[2])), ('clientrect', '4,4,116,32'), ('bgpictureindex', -1),
             ('lefttoppoint', '4,4'), ('righttoppoint', '116,4'), ('leftbottompoint', '4,32'),
             ('rightbottompoint', '116,32'), ('tableftoffset', 6), ('tabrightoffset', 6),
             ('tabsbgrect', '0,348,110,366')] + font()
            + [('activefontcolor', ACTIVE_TEXT), ('focusfontcolor', ACTIVE_TEXT), ('mouseinfontcolor', ACCENT_TEXT),
               ('updown', 'updown')], custom=False)
    control('mainmenubar', 'mainmenubar', ctl['menubar'],
            [('itemsrect', '2,1,114,19'), ('menubaritem', 'menubaritem'), ('closebutton', 'menubarclose'),
             ('minbutton', 'menubarclose'), ('maxbutton', 'menubarclose'), ('sysmenubutton', 'menubarclose'),
             ('trackmarkcolor', OFF_TEXT), ('trackmarkactivecolor', ACCENT_TEXT)], custom=False)
    control('controlbar', 'controlbar', ctl['panel'], [('itemrect', '2,2,118,26'), ('bgpictureindex', 2)])
    e, eb = ctl['edit'], ctl['editbutton']
    edit_keys = [('activeskinrect', rs(e[1]))] + font() + [
        ('disabledfontcolor', OFF_TEXT), ('activefontcolor', ACTIVE_TEXT),
        ('buttonrect', rs(eb[0])), ('activebuttonrect', rs(eb[1])), ('downbuttonrect', rs(eb[2])),
        ('unenabledbuttonrect', rs(eb[3]))]
    edit_points = ((3, 3), (117, 3), (3, 19), (117, 19), (3, 3, 117, 19))
    control('memo', 'memo', ctl['listframe'], edit_keys + [('bgcolor', FIELD_BG), ('activebgcolor', ACTIVE_FIELD_BG)])
    it = ctl['items']
    lb_keys = [('itemrect', rs(it[0])), ('activeitemrect', rs(it[1])), ('focusitemrect', rs(it[2])),
               ('itemleftoffset', 2), ('itemrightoffset', 2), ('itemtextrect', '4,0,106,18')] + font() + [
        ('activefontcolor', ACTIVE_TEXT), ('focusfontcolor', ACTIVE_TEXT), ('captionrect', '1,1,119,16')] + font(
        'caption', color=LIGHT_TEXT, style='fsbold') + arrows('up', 'down') + [
        ('checkbuttonrect', rs(sb[('thumb', 0)])), ('activecheckbuttonrect', rs(sb[('thumb', 1)])),
        ('downcheckbuttonrect', rs(sb[('thumb', 2)])),
        ('vscrollbarname', 'vscrollbar'), ('hscrollbarname', 'hscrollbar'),
        ('bothhscrollbarname', 'bothhscrollbar')]
    lb_points = ((4, 20), (116, 20), (4, 76), (116, 76), (2, 18, 118, 78))
    control('listbox', 'listbox', ctl['listframe'], lb_keys, points=lb_points)
    control('checklistbox', 'checklistbox', ctl['listframe'],
            lb_keys + [('itemcheckrect', '2,2,15,15'), ('checkimagerect', rs(c[('check', 0, 1)])),
                       ('uncheckimagerect', rs(c[('check', 0, 0)]))], points=lb_points)
    scrollbar_controls(control)
    sp = ctl['spin']
    control('spinedit', 'spinedit', e[0],
            [('activeskinrect', rs(e[1]))] + font() + [
                ('activefontcolor', ACTIVE_TEXT), ('disabledfontcolor', OFF_TEXT),
                ('upbuttonrect', rs(sp[('up', 0)])), ('activeupbuttonrect', rs(sp[('up', 1)])),
                ('downupbuttonrect', rs(sp[('up', 2)])), ('downbuttonrect', rs(sp[('down', 0)])),
                ('activedownbuttonrect', rs(sp[('down', 1)])), ('downdownbuttonrect', rs(sp[('down', 2)]))],
            points=edit_points)
    control('scrollbox', 'scrollbox', ctl['panel'], [('bgpictureindex', 2)])
    control('treeview', 'treeview', R(0, 0, 0, 0), font() + [('bgcolor', FIELD_BG)], custom=False)
    control('bevel', 'bevel', R(0, 0, 0, 0), [('lightcolor', BEVEL_LIGHT), ('darkcolor', MARK)], custom=False)
    s = ctl['slider']
    control('slider', 'slider', R(0, 494, 140, 18),
            [('bgcolor', SLIDER_BG), ('hrulerrect', rs(s[0])), ('hthumbrect', rs(s[1])),
             ('vrulerrect', rs(s[2])), ('vthumbrect', rs(s[3])), ('edgesize', 4), ('pointscolor', MARK)],
            custom=False)
    control('richedit', 'richedit', R(0, 0, 0, 0), font() + [('bgcolor', FIELD_BG)], custom=False)

    for base, m in extra_part_bases():
        m.records(control, font, base)

    sec('SKINCONTROLS')
    kv('count', len(controls))
    for i, (name, word) in enumerate(controls):
        kv(str(i), '%s:%s' % (name, word))
    return '\r\n'.join(L).lstrip() + '\r\n'


# ---- panels, group boxes, check and radio boxes ---------------------------------------
# Records beside the "checkbox", "radiobox", "groupbox" and "panel" records drawn from
# controls.bmp: one per remaining resize mode (a fixed check box, a horizontal group box
# strip, a vertical panel strip) and a group box shaped by a mask, from panels.bmp.
PANEL_PICTURE_BASE = OBJECT_PICTURE_BASE + len(OBJECT_PICTURES)
PANELS_INDEX = PANEL_PICTURE_BASE
PANEL_MASK_INDEX = PANEL_PICTURE_BASE + 1
PANEL_PICTURES = ['panels.bmp', 'panelmask.bmp']


def draw_panels():
    """panels.bmp (128x128): check box states, check images, strips and a rounded box."""
    im = Image(128, 128)
    rec = {}
    # fixed check box 100x20: normal and active backgrounds
    im.vgrad(0, 0, 100, 20, FACE_TOP, FACE_BOTTOM)
    im.frame(0, 0, 100, 20, BORDER, BORDER)
    im.vgrad(0, 22, 100, 42, HOT_TOP, HOT_BOTTOM)
    im.frame(0, 22, 100, 42, ACCENT, ACCENT)
    rec['fixedcheck'] = (R(0, 0, 100, 20), R(0, 22, 100, 20))
    # check images 13x13: normal, active, disabled; checked and unchecked
    checks = {}
    for s, (t, b, border) in enumerate([STATES[0], STATES[1], STATES[3]]):
        for on in (1, 0):
            x = (s * 2 + (1 - on)) * 16
            im.rounded(x, 44, x + 13, 57, FIELD, t, border)
            if on:
                im.glyph(x + 3, 48, GLYPHS['check'], INK if s < 2 else OFF_BORDER)
            checks[(s, on)] = R(x, 44, 13, 13)
    rec['panelchecks'] = checks
    # horizontal group box strip 100x20: a caption bar with 8-pixel ends
    im.vgrad(0, 60, 100, 80, SLATE_TOP, SLATE_BOTTOM)
    im.frame(0, 60, 100, 80, INK, INK)
    im.fill(3, 63, 6, 77, ACCENT)
    im.fill(94, 63, 97, 77, ACCENT)
    rec['hgroup'] = R(0, 60, 100, 20)
    # vertical panel strip 24x100 with 8-pixel ends
    im.vgrad(104, 0, 128, 100, FACE_TOP, FACE_BOTTOM)
    im.frame(104, 0, 128, 100, BORDER, BORDER)
    im.fill(107, 3, 125, 6, ACCENT)
    im.fill(107, 94, 125, 97, ACCENT)
    rec['vpanel'] = R(104, 0, 24, 100)
    # rounded group box 60x40 whose corners the mask cuts off
    im.vgrad(0, 84, 60, 124, HOT_TOP, FACE_BOTTOM)
    im.frame(0, 84, 60, 124, BORDER, BORDER)
    im.vgrad(1, 85, 59, 97, SLATE_TOP, SLATE_BOTTOM)
    rec['maskgroup'] = R(0, 84, 60, 40)
    return im, rec


def draw_panel_mask():
    """Mask of the 60x40 rounded group box: black inside, three-pixel corners cut off."""
    im = Image(60, 40, (0, 0, 0))
    for (cx, cy, dx, dy) in ((0, 0, 1, 1), (59, 0, -1, 1), (0, 39, 1, -1), (59, 39, -1, -1)):
        for i in range(3):
            for j in range(3 - i):
                im.put(cx + dx * i, cy + dy * j, (255, 255, 255))
    return im


def panel_controls(control, font, prec):
    c = prec['panelchecks']
    fc = prec['fixedcheck']
    control('fixedcheckbox', 'checkradio', fc[0],
            font() + [('activefontcolor', ACTIVE_TEXT), ('unenabledfontcolor', OFF_TEXT),
                      ('framefontcolor', TEXT), ('activeskinrect', rs(fc[1])),
                      ('checkimagearea', '2,2,18,18'), ('textarea', '22,0,98,20'),
                      ('checkimagerect', rs(c[(0, 1)])), ('uncheckimagerect', rs(c[(0, 0)])),
                      ('activecheckimagerect', rs(c[(1, 1)])), ('activeuncheckimagerect', rs(c[(1, 0)])),
                      ('unenabledcheckimagerect', rs(c[(2, 1)])), ('unenableduncheckimagerect', rs(c[(2, 0)])),
                      ('morphing', 1), ('morphkind', 'mkdefault')],
            pictureindex=PANELS_INDEX, points=((0, 0), (0, 0), (0, 0), (0, 0), (2, 2, 98, 18)))
    control('hgroupbox', 'panel', prec['hgroup'],
            [('bgpictureindex', -1), ('captionrect', '20,2,80,18'), ('alignment', 'taleftjustify')]
            + font(color=LIGHT_TEXT, style='fsbold')
            + [('checkimagerect', rs(c[(0, 1)])), ('uncheckimagerect', rs(c[(0, 0)]))],
            pictureindex=PANELS_INDEX, points=((8, 0), (92, 0), (0, 0), (0, 0), (8, 2, 92, 18)))
    control('vpanel', 'panel', prec['vpanel'],
            [('bgpictureindex', -1), ('captionrect', '0,0,0,0'), ('alignment', 'tacenter')] + font(),
            pictureindex=PANELS_INDEX, points=((0, 8), (0, 0), (0, 92), (0, 0), (2, 8, 22, 92)))
    control('maskgroupbox', 'panel', prec['maskgroup'],
            [('bgpictureindex', -1), ('captionrect', '4,1,56,12'), ('alignment', 'tacenter')]
            + font(color=LIGHT_TEXT, height=12),
            pictureindex=PANELS_INDEX, maskpictureindex=PANEL_MASK_INDEX,
            points=((6, 13), (54, 13), (6, 34), (54, 34), (3, 13, 57, 37)))


def save_panel_pictures(out):
    draw_panels()[0].save(os.path.join(out, PANEL_PICTURES[0]))
    draw_panel_mask().save(os.path.join(out, PANEL_PICTURES[1]))


# ---- scroll bars ------------------------------------------------------------------------
# A horizontal and a vertical bar whose images show their arrows, and the hot and pressed
# arrows, thumbs and thumb grips the bars draw over them, from scrollbars.bmp.
SCROLL_PICTURE_BASE = PANEL_PICTURE_BASE + len(PANEL_PICTURES)
SCROLL_INDEX = SCROLL_PICTURE_BASE
SCROLL_PICTURES = ['scrollbars.bmp']


def draw_scrollbars():
    """scrollbars.bmp (160x128): the two bars, arrow states, thumbs and grips."""
    im = Image(160, 128)
    rec = {}
    # horizontal bar 120x16 at (0,0) with its arrows; vertical bar 16x120 at (140,0)
    im.vgrad(0, 0, 120, 16, TRACK_TOP, TRACK_BOTTOM)
    im.vgrad(140, 0, 156, 120, TRACK_TOP, TRACK_BOTTOM)
    for x, y, g in ((0, 0, 'left'), (104, 0, 'right'), (140, 0, 'up'), (140, 104, 'down')):
        t, b, border = STATES[0]
        im.rounded(x, y, x + 16, y + 16, t, b, border)
        im.glyph(x + 6 if g in ('left', 'right') else x + 5, y + 5 if g in ('up', 'down') else y + 4,
                 GLYPHS[g], INK)
    hgrip = ["#.#.#", "#.#.#", "#.#.#"]
    for s, (t, b, border) in enumerate(STATES[:3]):
        for j, g in enumerate(('left', 'right', 'up', 'down')):
            x, y = s * 18, 20 + j * 18
            im.rounded(x, y, x + 16, y + 16, t, b, border)
            im.glyph(x + 6 if g in ('left', 'right') else x + 5, y + 5 if g in ('up', 'down') else y + 4,
                     GLYPHS[g], INK)
            rec[(g, s)] = R(x, y, 16, 16)
        # Plain thumbs (their middle is tiled when a page stretches them) and copies with
        # the grip, from which only the grip is taken, on the thumb's own background.
        x = 56 + s * 24
        im.rounded(x, 20, x + 22, 36, t, b, border)
        rec[('hthumb', s)] = R(x, 20, 22, 16)
        gx = s * 24
        im.rounded(gx, 110, gx + 22, 126, t, b, border)
        im.glyph(gx + 9, 116, hgrip, INK)
        rec[('hglyph', s)] = R(gx + 9, 116, 5, 3)
        y = 40 + s * 24
        im.rounded(56, y, 72, y + 22, t, b, border)
        rec[('vthumb', s)] = R(56, y, 16, 22)
        im.rounded(76, y, 92, y + 22, t, b, border)
        im.glyph(78, y + 9, GLYPHS['grip'], INK)
        rec[('vglyph', s)] = R(78, y + 9, 7, 3)
    return im, rec


def scrollbar_controls(control):
    """The "hscrollbar", "bothhscrollbar" and "vscrollbar" records."""
    sb = draw_scrollbars()[1]
    for name, vertical in (('hscrollbar', False), ('bothhscrollbar', False), ('vscrollbar', True)):
        if vertical:
            skinrect, track, inc, dec = R(140, 0, 16, 120), '0,16,16,104', '0,104,16,120', '0,0,16,16'
            points, inc_g, dec_g, th, gl = ((0, 16), (0, 0), (0, 104), (0, 0), (0, 16, 16, 104)), 'down', 'up', \
                'vthumb', 'vglyph'
        else:
            skinrect, track, inc, dec = R(0, 0, 120, 16), '16,0,104,16', '104,0,120,16', '0,0,16,16'
            points, inc_g, dec_g, th, gl = ((16, 0), (104, 0), (0, 0), (0, 0), (16, 0, 104, 16)), 'right', 'left', \
                'hthumb', 'hglyph'
        keys = [('trackarea', track), ('upbuttonrect', inc), ('activeupbuttonrect', rs(sb[(inc_g, 1)])),
                ('downupbuttonrect', rs(sb[(inc_g, 2)])), ('downbuttonrect', dec),
                ('activedownbuttonrect', rs(sb[(dec_g, 1)])), ('downdownbuttonrect', rs(sb[(dec_g, 2)]))]
        keys += [(k, v) for k, v in (('thumbrect', rs(sb[(th, 0)])), ('activethumbrect', rs(sb[(th, 1)])),
                                     ('downthumbrect', rs(sb[(th, 2)])))]
        keys += [('thumboffset1', 5), ('thumboffset2', 5)]
        keys += [('glyphrect', rs(sb[(gl, 0)])), ('activeglyphrect', rs(sb[(gl, 1)])),
                 ('downglyphrect', rs(sb[(gl, 2)]))]
        control(name, 'scrollbar', skinrect, keys, pictureindex=SCROLL_INDEX, points=points)


def save_scroll_pictures(out):
    draw_scrollbars()[0].save(os.path.join(out, SCROLL_PICTURES[0]))


# ---- further record kinds, one module each -------------------------------------------
# Each module in EXTRA_PARTS (skins/slate_<kind>.py) defines PICTURES (its bitmap file
# names), save_pictures(out) and records(control, font, base), where base is the picture
# index of its first bitmap. Indices follow the order of this list.
EXTRA_PICTURE_BASE = SCROLL_PICTURE_BASE + len(SCROLL_PICTURES)
EXTRA_PARTS = PART_MODULES


def extra_parts():
    import importlib
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    return [importlib.import_module(name) for name in EXTRA_PARTS]


def extra_part_bases():
    base = EXTRA_PICTURE_BASE
    for m in extra_parts():
        yield base, m
        base += len(m.PICTURES)


def write_skin(out):
    os.makedirs(out, exist_ok=True)
    frame_picture(True).save(os.path.join(out, 'frame.bmp'))
    frame_picture(False).save(os.path.join(out, 'frame_inactive.bmp'))
    draw_mask().save(os.path.join(out, 'frame_mask.bmp'))
    controls, rects = draw_controls()
    controls.save(os.path.join(out, 'controls.bmp'))
    draw_windows().save(os.path.join(out, 'windows.bmp'))
    draw_background().save(os.path.join(out, 'background.bmp'))
    draw_button_mask().save(os.path.join(out, 'buttonmask.bmp'))
    save_object_pictures(out)
    save_panel_pictures(out)
    save_scroll_pictures(out)
    for _, m in extra_part_bases():
        m.save_pictures(out)
    with open(os.path.join(out, 'skin.ini'), 'w', newline='') as f:
        f.write(build_ini(rects))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    args = sys.argv[1:]
    palette = 'slate'
    if args[:1] == ['--palette']:
        if len(args) < 2 or args[1] not in PALETTES:
            sys.exit('usage: make_skin.py [--palette %s] [output folder]' % '|'.join(PALETTES))
        palette, args = args[1], args[2:]
    # The drawing runs in the module the parts import their palette from.
    import make_skin
    make_skin.use_palette(palette)
    make_skin.write_skin(args[0] if args else os.path.join(here, palette))


if __name__ == '__main__':
    main()
