// Speed buttons and tool bars in the gallery: plain, with a glyph, a down group button,
// a disabled one, flat buttons on a bar, a menu speed button with its drop-down area, and
// a bar too narrow for its buttons that scrolls.
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinToolBar.h"
#include "tools/gallery/Gallery.h"

namespace {
TbsSkinToolBar* Bar(TWinControl* column, TbsSkinData* skin, int x, int y, int w) {
  auto* b = new TbsSkinToolBar(column);
  b->SetParent(column);
  b->SetBounds(x, y, w, 25);
  b->SetSkinData(skin);
  return b;
}

template <class T>
T* Button(TbsSkinToolBar* bar, TbsSkinData* skin, int x, int w, const std::string& caption) {
  auto* b = new T(bar);
  b->SetParent(bar);
  b->SetBounds(x, 0, w, 25);
  b->SetCaption(caption);
  b->SetSkinData(skin);
  return b;
}

// A 10 x 10 glyph: a filled diamond on the transparent key colour.
void SetDiamond(TbsSkinSpeedButton* b, TColor color) {
  TBitmap g(10, 10);
  TCanvas* c = g.Canvas();
  c->Brush()->Color = clFuchsia;
  c->FillRect(Rect(0, 0, 10, 10));
  for (int y = 0; y < 10; ++y) {
    int half = y < 5 ? y : 9 - y;
    for (int x = 5 - half - 1; x < 5 + half + 1; ++x) g.SetPixel(x, y, color);
  }
  g.SetPixel(0, 9, clFuchsia);
  b->SetGlyph(&g);
}
}  // namespace

int AddSpeedButtons(TWinControl* column, TbsSkinData* skin, int x, int top) {
  auto* bar = Bar(column, skin, x, top, 350);
  Button<TbsSkinSpeedButton>(bar, skin, 0, 50, "Plain");
  SetDiamond(Button<TbsSkinSpeedButton>(bar, skin, 52, 60, "Glyph"), clNavy);
  auto* a = Button<TbsSkinSpeedButton>(bar, skin, 114, 30, "A");
  auto* b = Button<TbsSkinSpeedButton>(bar, skin, 146, 30, "B");
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  b->SetDown(true);
  Button<TbsSkinSpeedButton>(bar, skin, 178, 50, "Off")->SetEnabled(false);
  auto* menu = Button<TbsSkinMenuSpeedButton>(bar, skin, 230, 70, "Menu");
  menu->SetSkinDataName("toolmenutrackbutton");
  menu->SetTrackButtonMode(true);
  menu->SetSkinData(skin);
  Button<TbsSkinMenuSpeedButton>(bar, skin, 302, 46, "View");

  auto* flat = Bar(column, skin, x, top + 30, 200);
  for (int i = 0; i < 4; ++i) SetDiamond(Button<TbsSkinSpeedButton>(flat, skin, i * 27, 25, ""), TColor(0x206080 + i * 0x203000));
  flat->SetFlat(true);

  auto* scroll = Bar(column, skin, x + 210, top + 30, 140);
  for (int i = 0; i < 7; ++i) Button<TbsSkinSpeedButton>(scroll, skin, i * 27, 25, std::to_string(i + 1));
  scroll->SetScrollOffset(27);
  scroll->SetCanScroll(true);
  scroll->ScrollStep(1);
  return 55;
}
