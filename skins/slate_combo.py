"""Slate records of the combo box, its drop-down list and the edit.

combo.bmp (260x160):
  y 0..22    the closed box, 120x22: a white field in a slate line with the button on its
             right (x 100..119); beside it (x 128..) the button's hot, pressed and
             disabled images, 19x20 each
  y 24..42   the item area's focus image, 97x18
  y 48..88   the drop-down list's frame, 60x40
  y 92..110  list rows 60x18: normal (x 0), hot (x 64), selected (x 128)
  y 136..158 the edit frame, 120x22, and its active image at x 128
"""
import os

from make_skin import (Image, R, rs, GLYPHS, INK, BORDER, ACCENT, OFF_BORDER, FACE_TOP, FACE_BOTTOM, HOT_TOP,
                       HOT_BOTTOM, DOWN_TOP, DOWN_BOTTOM, OFF_TOP, OFF_BOTTOM, FIELD, SELECT_TOP, SELECT_BOTTOM,
                       SELECT_FRAME, ACTIVE_TEXT, LIGHT_TEXT, OFF_TEXT)

PICTURES = ['combo.bmp']
WHITE = FIELD
BOX = R(0, 0, 120, 22)
BUTTON = R(100, 1, 19, 20)          # in the box's own coordinates
ITEM = R(2, 2, 97, 18)              # the item area, box coordinates
BUTTON_STATES = [R(128 + i * 22, 1, 19, 20) for i in range(3)]  # hot, pressed, disabled
FOCUS_ITEM = R(0, 24, 97, 18)
LIST = R(0, 48, 60, 40)
ROWS = [R(0, 92, 60, 18), R(64, 92, 60, 18), R(128, 92, 60, 18)]
EDIT, EDIT_ACTIVE = R(0, 136, 120, 22), R(128, 136, 120, 22)


def button(im, r, top, bottom, border, glyph):
    x0, y0, x1, y1 = r
    im.vgrad(x0, y0, x1, y1, top, bottom)
    im.frame(x0, y0, x1, y1, border, border)
    im.glyph(x0 + (x1 - x0 - 7) // 2, y0 + (y1 - y0 - 4) // 2, GLYPHS['down'], glyph)


def draw():
    im = Image(260, 160)
    # the closed box
    im.fill(0, 0, 120, 22, WHITE)
    im.frame(0, 0, 120, 22, BORDER, BORDER)
    button(im, BUTTON, FACE_TOP, FACE_BOTTOM, BORDER, INK)
    for r, (top, bottom, border, glyph) in zip(BUTTON_STATES, ((HOT_TOP, HOT_BOTTOM, ACCENT, INK),
                                                              (DOWN_TOP, DOWN_BOTTOM, BORDER, INK),
                                                              (OFF_TOP, OFF_BOTTOM, OFF_BORDER, OFF_BORDER))):
        button(im, r, top, bottom, border, glyph)
    # the focused item area: an accent band with rounded ends
    x0, y0, x1, y1 = FOCUS_ITEM
    im.vgrad(x0, y0, x1, y1, SELECT_TOP, SELECT_BOTTOM)
    for (cx, cy) in ((x0, y0), (x1 - 1, y0), (x0, y1 - 1), (x1 - 1, y1 - 1)):
        im.put(cx, cy, WHITE)
    # the list frame
    x0, y0, x1, y1 = LIST
    im.fill(x0, y0, x1, y1, WHITE)
    im.frame(x0, y0, x1, y1, BORDER, BORDER)
    # rows: plain, hot, selected
    im.fill(*ROWS[0], WHITE)
    x0, y0, x1, y1 = ROWS[1]
    im.vgrad(x0, y0, x1, y1, HOT_TOP, HOT_BOTTOM)
    x0, y0, x1, y1 = ROWS[2]
    im.vgrad(x0, y0, x1, y1, SELECT_TOP, SELECT_BOTTOM)
    im.frame(x0, y0, x1, y1, ACCENT, ACCENT)
    # the edit
    for r, border in ((EDIT, BORDER), (EDIT_ACTIVE, ACCENT)):
        x0, y0, x1, y1 = r
        im.fill(x0, y0, x1, y1, WHITE)
        im.frame(x0, y0, x1, y1, border, border)
        if border == ACCENT:
            im.frame(x0 + 1, y0 + 1, x1 - 1, y1 - 1, SELECT_FRAME, SELECT_FRAME)
    return im


def save_pictures(out):
    draw().save(os.path.join(out, PICTURES[0]))


def records(control, font, base):
    w, h = BOX[2], BOX[3]
    control('combobox', 'combobox', BOX,
            [('itemrect', rs(ITEM)), ('focusitemrect', rs(FOCUS_ITEM)), ('itemleftoffset', 2),
             ('itemrightoffset', 2), ('itemtextrect', '3,0,95,18')] + font()
            + [('focusfontcolor', LIGHT_TEXT), ('listboxname', 'combolist'),
               ('buttonrect', rs(BUTTON)), ('activebuttonrect', rs(BUTTON_STATES[0])),
               ('downbuttonrect', rs(BUTTON_STATES[1])), ('unenabledbuttonrect', rs(BUTTON_STATES[2]))],
            pictureindex=base, points=((3, 0), (99, 0), (0, 0), (0, 0), (3, 2, 99, 20)))
    lw, lh = LIST[2] - LIST[0], LIST[3] - LIST[1]
    control('combolist', 'listbox', LIST,
            [('itemrect', rs(ROWS[0])), ('activeitemrect', rs(ROWS[1])), ('focusitemrect', rs(ROWS[2])),
             ('itemleftoffset', 2), ('itemrightoffset', 2), ('itemtextrect', '4,0,56,18')] + font()
            + [('activefontcolor', ACTIVE_TEXT), ('focusfontcolor', LIGHT_TEXT), ('captionrect', '0,0,0,0')]
            + font('caption') + [('vscrollbarname', 'vscrollbar'), ('hscrollbarname', 'hscrollbar'),
                                 ('bothhscrollbarname', 'bothhscrollbar')],
            pictureindex=base, points=((2, 2), (lw - 2, 2), (2, lh - 2), (lw - 2, lh - 2), (1, 1, lw - 1, lh - 1)))
    control('edit', 'edit', EDIT,
            [('activeskinrect', rs(EDIT_ACTIVE))] + font()
            + [('disabledfontcolor', OFF_TEXT), ('activefontcolor', ACTIVE_TEXT)],
            pictureindex=base, points=((3, 3), (w - 3, 3), (3, h - 3), (w - 3, h - 3), (3, 3, w - 3, h - 3)))
