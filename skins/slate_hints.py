"""Slate's hint window: a pale yellow tip with a dark olive frame and cut corners, in a
picture of its own, with a mask that cuts the corners off the window too."""
import os

import make_skin as ms

PICTURES = ['hint.bmp', 'hint_mask.bmp']
W, H = 40, 24
TOP, BOTTOM, BORDER = ms.TIP_TOP, ms.TIP_BOTTOM, ms.TIP_BORDER
CORNERS = ((0, 0), (W - 1, 0), (0, H - 1), (W - 1, H - 1))


def draw_hint():
    im = ms.Image(W, H)
    im.rounded(0, 0, W, H, TOP, BOTTOM, BORDER)
    return im


def draw_mask():
    im = ms.Image(W, H, (0, 0, 0))
    for (x, y) in CORNERS:
        im.put(x, y, (255, 255, 255))
    return im


def save_pictures(out):
    draw_hint().save(os.path.join(out, PICTURES[0]))
    draw_mask().save(os.path.join(out, PICTURES[1]))


def records(control, font, base):
    """No control records: the hint window is a window record (hint_window_section)."""


def hint_window_section(sec, kv, base):
    sec('HINTWINDOW')
    kv('windowpictureindex', base)
    kv('maskpictureindex', base + 1)
    kv('lefttoppoint', '6,6')
    kv('righttoppoint', '%d,6' % (W - 6))
    kv('leftbottompoint', '6,%d' % (H - 6))
    kv('rightbottompoint', '%d,%d' % (W - 6, H - 6))
    kv('clientrect', '4,4,%d,%d' % (W - 4, H - 4))
    kv('fontname', 'Arial')
    kv('fontheight', 13)
    kv('fontstyle', '')
    kv('fontcolor', ms.HINT_TEXT)
    for k in ('leftstretch', 'rightstretch', 'topstretch', 'bottomstretch'):
        kv(k, 1)
