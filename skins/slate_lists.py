"""Slate records of the list view, its column header, and the skin label and bevel.

The header sections come from listheader.bmp: three 60x19 states stacked (normal, hot,
pressed), each a light gradient with a divider on its right and a line below.
"""
import os

from make_skin import (Image, R, rs, FACE_TOP, FACE_BOTTOM, HOT_TOP, HOT_BOTTOM, SLATE_TOP, SLATE_BOTTOM, BORDER,
                       HILITE, LIST_BG, ACTIVE_TEXT, LIGHT_TEXT, OFF_TEXT)

PICTURES = ['listheader.bmp']
HEADER_W, HEADER_H = 60, 19


def draw_header():
    im = Image(HEADER_W, 3 * HEADER_H)
    for i, (top, bottom) in enumerate(((FACE_TOP, FACE_BOTTOM), (HOT_TOP, HOT_BOTTOM), (SLATE_TOP, SLATE_BOTTOM))):
        y = i * HEADER_H
        im.vgrad(0, y, HEADER_W, y + HEADER_H, top, bottom)
        im.fill(0, y, HEADER_W, y + 1, HILITE)
        im.fill(HEADER_W - 1, y + 3, HEADER_W, y + HEADER_H - 3, BORDER)
        im.fill(0, y + HEADER_H - 1, HEADER_W, y + HEADER_H, BORDER)
    return im


def save_pictures(out):
    draw_header().save(os.path.join(out, PICTURES[0]))


def records(control, font, base):
    # A faintly blue list background, so the skinned list is told from the default one.
    control('listview', 'listview', R(0, 0, 0, 0), font() + [('bgcolor', LIST_BG)], custom=False)
    w, h = HEADER_W, HEADER_H
    control('listheader', 'button', R(0, 0, w, h),
            font() + [('activefontcolor', ACTIVE_TEXT), ('downfontcolor', LIGHT_TEXT), ('disabledfontcolor', OFF_TEXT),
                      ('activeskinrect', rs(R(0, h, w, h))), ('downskinrect', rs(R(0, 2 * h, w, h))),
                      ('disabledskinrect', rs(R(0, 0, w, h))), ('morphing', 0), ('morphkind', 'mkdefault')],
            pictureindex=base, points=((3, 3), (w - 3, 3), (3, h - 3), (w - 3, h - 3), (3, 3, w - 3, h - 3)))
