"""Slate records of the speed buttons and the tool bar, drawn from speedbuttons.bmp:
"toolbutton" (resizable both ways), "toolmenubutton" and "toolmenutrackbutton"
(horizontal strips whose right 12 pixels are the drop-down area) and "toolpanel"
(a borderless surface whose client piece is tiled)."""
import os

from make_skin import (Image, R, rs, GLYPHS, FACE_TOP, FACE_BOTTOM, HOT_TOP, HOT_BOTTOM, DOWN_TOP,
                       DOWN_BOTTOM, OFF_TOP, OFF_BOTTOM, BORDER, OFF_BORDER, ACCENT, INK, BAR_TOP, BAR_BOTTOM,
                       BAR_LINE, ACTIVE_TEXT, LIGHT_TEXT, OFF_TEXT)

PICTURES = ['speedbuttons.bmp']

TOOL = 24                  # tool button cells, TOOL x TOOL
MENU_W, MENU_H = 40, 25    # menu button cells
TRACK = 12                 # drop-down area at the right of a menu button
PANEL_W, PANEL_H = 40, 25

def cell(im, r, top, bottom, border):
    """A gradient cell with a 1-pixel border; square corners, no key colour: a window-less
    button shows its parent nowhere."""
    im.vgrad(r[0], r[1], r[2], r[3], top, bottom)
    im.frame(r[0], r[1], r[2], r[3], border, border)


STATE_COLOURS = [(FACE_TOP, FACE_BOTTOM, OFF_BORDER), (HOT_TOP, HOT_BOTTOM, ACCENT),
                 (DOWN_TOP, DOWN_BOTTOM, BORDER), (OFF_TOP, OFF_BOTTOM, OFF_BORDER)]


def layout():
    """Cell rectangles: tool button states, menu and track menu button states, panel."""
    tool = [R(i * (TOOL + 2), 0, TOOL, TOOL) for i in range(4)]
    menu = [R(i * (MENU_W + 2), 26, MENU_W, MENU_H) for i in range(4)]
    track = [R(i * (MENU_W + 2), 53, MENU_W, MENU_H) for i in range(4)]
    panel = R(0, 80, PANEL_W, PANEL_H)
    return tool, menu, track, panel


def draw():
    im = Image(176, 106)
    tool, menu, track, panel = layout()
    for s, r in enumerate(tool):
        top, bottom, border = STATE_COLOURS[s]
        cell(im, r, top, bottom, border)
    for cells, separated in ((menu, False), (track, True)):
        for s, r in enumerate(cells):
            top, bottom, border = STATE_COLOURS[s]
            cell(im, r, top, bottom, border)
            if separated:
                im.fill(r[2] - TRACK, r[1] + 3, r[2] - TRACK + 1, r[3] - 3, border)
            arrow = INK if s != 3 else OFF_BORDER
            im.glyph(r[2] - TRACK + 3, r[1] + 11, GLYPHS['down'][:3], arrow)
    x0, y0, x1, y1 = panel
    im.vgrad(x0, y0, x1, y1, BAR_TOP, BAR_BOTTOM)
    im.fill(x0, y1 - 1, x1, y1, BAR_LINE)
    return im


def save_pictures(out):
    draw().save(os.path.join(out, PICTURES[0]))


def records(control, font, base):
    tool, menu, track, panel = layout()

    def button_keys(cells, morphing):
        return font() + [('activefontcolor', ACTIVE_TEXT), ('downfontcolor', LIGHT_TEXT),
                         ('disabledfontcolor', OFF_TEXT), ('activeskinrect', rs(cells[1])),
                         ('downskinrect', rs(cells[2])), ('disabledskinrect', rs(cells[3])),
                         ('morphing', morphing), ('morphkind', 'mkdefault')]

    corners = ((4, 4), (TOOL - 4, 4), (4, TOOL - 4), (TOOL - 4, TOOL - 4), (4, 4, TOOL - 4, TOOL - 4))
    control('toolbutton', 'button', tool[0], button_keys(tool, 0), pictureindex=base, points=corners)
    # Horizontal strips: 4-pixel left end, the drop-down part and its edge as the right end.
    strip = ((4, 0), (MENU_W - TRACK - 2, 0), (0, 0), (0, 0), (4, 3, MENU_W - TRACK - 2, MENU_H - 3))
    trackrect = rs((MENU_W - TRACK, 0, MENU_W, MENU_H))
    for name, cells in (('toolmenubutton', menu), ('toolmenutrackbutton', track)):
        control(name, 'menubutton', cells[0], button_keys(cells, 0) + [('trackbuttonrect', trackrect)],
                pictureindex=base, points=strip)
    control('toolpanel', 'panel', panel,
            font() + [('bgpictureindex', -1), ('captionrect', '0,0,0,0'), ('alignment', 'tacenter'),
                      ('checkimagerect', '0,0,0,0'), ('uncheckimagerect', '0,0,0,0')],
            pictureindex=base, points=((2, 2), (PANEL_W - 2, 2), (2, PANEL_H - 2), (PANEL_W - 2, PANEL_H - 2),
                                       (0, 0, PANEL_W, PANEL_H)))
