// Push buttons in the gallery: normal, default, down in a group, disabled, with glyphs,
// resized, and the skin's other button records (fixed, horizontal, vertical, masked).
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/controls/SkinButton.h"
#include "tools/gallery/Gallery.h"

namespace {
TbsSkinButton* Button(TWinControl* column, TbsSkinData* skin, const std::string& record, const std::string& caption,
                      int x, int y, int w, int h) {
  auto* b = new TbsSkinButton(column);
  b->SetParent(column);
  b->SetSkinDataName(record);
  b->SetBounds(x, y, w, h);
  b->SetCaption(caption);
  b->SetSkinData(skin);
  return b;
}

// A 2-cell glyph strip (normal, disabled) of a 12 x 12 dot; magenta is transparent.
void DotGlyph(TBitmap& g) {
  g.SetSize(24, 12);
  g.Canvas()->Brush()->Color = clFuchsia;
  g.Canvas()->FillRect(Rect(0, 0, 24, 12));
  g.Canvas()->Brush()->Color = RGB(200, 40, 40);
  g.Canvas()->Pen()->Color = RGB(120, 20, 20);
  g.Canvas()->Ellipse(1, 1, 11, 11);
  g.Canvas()->Brush()->Color = RGB(160, 160, 160);
  g.Canvas()->Pen()->Color = RGB(128, 128, 128);
  g.Canvas()->Ellipse(13, 1, 23, 11);
}
}  // namespace

int AddButtons(TWinControl* column, TbsSkinData* skin, int x, int top) {
  int y = top;
  Button(column, skin, "button", "Normal", x, y, 75, 25);
  auto* def = Button(column, skin, "button", "&Default", x + 85, y, 75, 25);
  def->SetDefault(true);
  auto* down = Button(column, skin, "button", "Down", x + 170, y, 75, 25);
  // Both columns share the form: a group of their own each, or one would release the other.
  down->SetGroupIndex(skin ? 2 : 1);
  down->SetDown(true);
  Button(column, skin, "button", "Disabled", x + 255, y, 75, 25)->SetEnabled(false);
  y += 35;
  TBitmap dot;
  DotGlyph(dot);
  auto* rec = Button(column, skin, "button", "Record", x, y, 90, 25);
  rec->SetGlyph(&dot);
  rec->SetNumGlyphs(2);
  auto* off = Button(column, skin, "button", "Stop", x + 100, y, 90, 25);
  off->SetGlyph(&dot);
  off->SetNumGlyphs(2);
  off->SetEnabled(false);
  auto* top2 = Button(column, skin, "button", "Top", x + 200, y - 4, 60, 40);
  top2->SetGlyph(&dot);
  top2->SetNumGlyphs(2);
  top2->SetLayout(blGlyphTop);
  Button(column, skin, "button", "录制", x + 270, y, 59, 25);
  y += 45;
  Button(column, skin, "button", "Resized both ways", x, y, 150, 36);
  Button(column, skin, "fixedbutton", "Fixed", x + 160, y, 90, 36);
  Button(column, skin, "maskbutton", "Masked", x + 260, y, 70, 30);
  y += 46;
  Button(column, skin, "hbutton", "Horizontal strip", x, y, 150, 30);
  Button(column, skin, "vbutton", "Vertical", x + 160, y, 90, 44);
  auto* rep = Button(column, skin, "resizebutton", "Repeat", x + 260, y, 70, 25);
  rep->SetRepeatMode(true);
  y += 54;
  return y - top;
}
