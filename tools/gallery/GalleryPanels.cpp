// Panels, group boxes, check/radio boxes and radio groups in the gallery: the recorder's
// radio groups, a checkable roll-up group, borders, the skin's other panel records
// (horizontal strip, vertical strip, masked), and check and radio boxes flat and framed
// in their states. The "Unchecked" box reports each change on standard output
// ("check: 'Unchecked' checked (default)"); with CORVALE_CHECK_FILE set, the screen
// rectangle of the default one is written there once it shows ("check x y w h"), for
// tests that drive it with the real mouse and keyboard.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "framework/core/Strings.h"
#include "framework/windows/Timers.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinRadioGroup.h"
#include "tools/gallery/Gallery.h"

namespace {
template <class T>
T* Place(TWinControl* parent, TbsSkinData* skin, const std::string& record, int x, int y, int w, int h) {
  auto* c = new T(parent);
  c->SetParent(parent);
  c->SetSkinDataName(record);
  c->SetBounds(x, y, w, h);
  c->SetSkinData(skin);
  return c;
}

TbsSkinRadioGroup* RadioGroup(TWinControl* column, TbsSkinData* skin, int x, int y, const std::string& caption,
                              std::initializer_list<const char*> items) {
  auto* g = Place<TbsSkinRadioGroup>(column, skin, "groupbox", x, y, 121, 81);
  TFont f;
  f.SetName("宋体");
  f.SetHeight(-12);
  g->SetDefaultFont(&f);
  g->SetButtonDefaultFont(&f);
  g->SetBorderStyle(bvRaised);
  g->SetDefaultAlignment(taCenter);
  g->SetCaption(caption);
  TStringList l;
  for (const char* s : items) l.Add(s);
  g->SetItems(&l);
  g->SetItemIndex(1);
  return g;
}

TbsSkinCheckRadioBox* Box(TWinControl* parent, TbsSkinData* skin, const std::string& record, const std::string& caption,
                          bool radio, int x, int y, int w, int h) {
  auto* b = Place<TbsSkinCheckRadioBox>(parent, skin, record, x, y, w, h);
  b->SetRadio(radio);
  b->SetCanFocused(true);
  b->SetCaption(caption);
  return b;
}

void ReportChanges(TbsSkinCheckRadioBox* b, bool skinned) {
  b->OnClick = [b, skinned](TObject*) {
    std::cout << "check: '" << b->Caption() << "' " << (b->Checked() ? "checked" : "unchecked")
              << (skinned ? " (skinned)" : " (default)") << std::endl;
  };
  const char* path = std::getenv("CORVALE_CHECK_FILE");
  if (skinned || !path || !*path) return;
  auto* watch = new TTimer(b);
  watch->SetInterval(50);
  std::string file = path;
  watch->OnTimer = [b, watch, file](TObject*) {
    if (!b->Showing()) return;
    watch->SetEnabled(false);
    const TPoint o = b->ClientToScreen(Point(0, 0));
    std::ofstream(file) << "check " << o.X << ' ' << o.Y << ' ' << b->Width() << ' ' << b->Height() << '\n';
  };
}
}  // namespace

int AddRadioGroups(TWinControl* column, TbsSkinData* skin, int x, int top) {
  RadioGroup(column, skin, x, top, "声道", {"单声道", "立体声"});
  RadioGroup(column, skin, x + 128, top, "声单频率", {"广播11025赫兹", "正常22050赫兹", "精密44100赫兹"});
  auto* cols = Place<TbsSkinRadioGroup>(column, skin, "groupbox", x + 256, top, 94, 81);
  cols->SetCaption("Columns");
  cols->SetColumns(2);
  TStringList l;
  for (const char* s : {"&A", "&B", "&C"}) l.Add(s);
  cols->SetItems(&l);
  cols->SetItemIndex(2);
  return 81;
}

int AddPanels(TWinControl* column, TbsSkinData* skin, int x, int top) {
  auto* g = Place<TbsSkinGroupBox>(column, skin, "groupbox", x, top, 160, 90);
  g->SetCaption("Checked");
  g->SetCheckedMode(true);
  g->SetChecked(true);
  g->SetRollUpMode(true);
  Box(g, skin, "checkbox", "Inside", false, 8, 30, 120, 22)->SetChecked(true);
  auto* off = Place<TbsSkinGroupBox>(column, skin, "groupbox", x + 170, top, 180, 90);
  off->SetCaption("Unchecked");
  off->SetCheckedMode(true);
  off->SetChecked(true);
  Box(off, skin, "checkbox", "Disabled with it", false, 8, 30, 150, 22);
  off->SetChecked(false);
  int y = top + 100;
  const TbsSkinBorderStyle styles[] = {bvFrame, bvRaised, bvLowered, bvNone};
  for (int i = 0; i < 4; ++i) {
    auto* p = Place<TbsSkinPanel>(column, skin, "panel", x + i * 88, y, 80, 40);
    p->SetBorderStyle(styles[i]);
  }
  y += 50;
  Place<TbsSkinGroupBox>(column, skin, "hgroupbox", x, y, 160, 20)->SetCaption("Strip");
  Place<TbsSkinPanel>(column, skin, "vpanel", x + 170, y, 24, 70);
  Place<TbsSkinGroupBox>(column, skin, "maskgroupbox", x + 204, y, 100, 60)->SetCaption("Masked");
  auto* rolled = Place<TbsSkinGroupBox>(column, skin, "groupbox", x, y + 30, 160, 80);
  rolled->SetCaption("Rolled up");
  rolled->SetRollUpMode(true);
  rolled->SetRollUpState(true);
  return y + 80 - top;
}

int AddCheckRadioBoxes(TWinControl* column, TbsSkinData* skin, int x, int top) {
  int y = top;
  Box(column, skin, "checkbox", "&Check box", false, x, y, 110, 22)->SetChecked(true);
  ReportChanges(Box(column, skin, "checkbox", "Unchecked", false, x + 115, y, 110, 22), skin != nullptr);
  auto* dis = Box(column, skin, "checkbox", "Disabled", false, x + 230, y, 110, 22);
  dis->SetChecked(true);
  dis->SetEnabled(false);
  y += 26;
  Box(column, skin, "radiobox", "&Radio box", true, x, y, 110, 22)->SetChecked(true);
  Box(column, skin, "radiobox", "Other", true, x + 115, y, 110, 22);
  auto* rdis = Box(column, skin, "radiobox", "Disabled", true, x + 230, y, 110, 22);
  rdis->SetChecked(true);
  rdis->SetEnabled(false);
  y += 26;
  auto* framed = Box(column, skin, "checkbox", "Framed", false, x, y, 120, 20);
  framed->SetFlat(false);
  framed->SetChecked(true);
  framed->ApplySkinChange();
  auto* fixed = Box(column, skin, "fixedcheckbox", "Fixed", false, x + 130, y, 100, 20);
  fixed->SetFlat(false);
  fixed->ApplySkinChange();
  auto* wide = Box(column, skin, "radiobox", "Framed radio", true, x + 240, y, 110, 26);
  wide->SetFlat(false);
  wide->SetChecked(true);
  wide->ApplySkinChange();
  y += 30;
  return y - top;
}
