// Combo boxes and edits in the gallery: a box with a chosen item, one in the edit style, a
// disabled one, an edit with text and a disabled one. A label beside the first box shows
// the item chosen last, which is also written to standard output ("combo: chose 'X'").
// With CORVALE_COMBO_FILE set, the skinned first box's screen rectangle and its list's
// row height are written there once it shows ("combo x y w h rowheight"), for tests
// that drive it with the real mouse.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "framework/controls/Label.h"
#include "framework/windows/Timers.h"
#include "skin/dialogs/PopupListBox.h"
#include "skin/dialogs/SkinComboBox.h"
#include "skin/dialogs/SkinEdit.h"
#include "tools/gallery/Gallery.h"

namespace {
const char* const kItems[] = {"Video files (*.avi;*.mpg)", "Documents", "Downloads", "Music", "Pictures",
                              "Desktop", "Temp.wav", "All files (*.*)", "录音 (*.wav)", "Templates", "Public"};

TbsSkinComboBox* Box(TWinControl* column, TbsSkinData* skin, int x, int y, int w) {
  auto* c = new TbsSkinComboBox(column);
  c->SetParent(column);
  c->SetBounds(x, y, w, 20);
  for (const char* s : kItems) c->Items()->Add(s);
  c->SetDropDownCount(6);
  c->SetItemIndex(0);
  c->SetSkinData(skin);
  return c;
}

void ReportPlace(TbsSkinComboBox* c) {
  const char* path = std::getenv("CORVALE_COMBO_FILE");
  if (!path || !*path) return;
  auto* watch = new TTimer(c);
  watch->SetInterval(50);
  std::string file = path;
  watch->OnTimer = [c, watch, file](TObject*) {
    if (!c->Showing()) return;
    watch->SetEnabled(false);
    const TPoint o = c->ClientToScreen(Point(0, 0));
    c->ListBox()->HeightForRows(1);  // reads the list's record
    std::ofstream(file) << "combo " << o.X << ' ' << o.Y << ' ' << c->Width() << ' ' << c->Height() << ' '
                        << c->ListBox()->RowHeight() << '\n';
  };
}
}  // namespace

int AddCombos(TWinControl* column, TbsSkinData* skin, int x, int top) {
  auto* chosen = new TLabel(column);
  chosen->SetParent(column);
  chosen->SetBounds(x + 170, top + 3, 180, 16);
  chosen->SetCaption("Chosen: " + std::string(kItems[0]));
  auto* first = Box(column, skin, x, top, 160);
  first->OnClick = [first, chosen, skin](TObject*) {
    const std::string text = first->Text();
    chosen->SetCaption("Chosen: " + text);
    std::cout << "combo: chose '" << text << "'" << (skin ? " (skinned)" : " (default)") << std::endl;
  };
  if (skin) ReportPlace(first);
  auto* editStyle = Box(column, skin, x, top + 30, 160);
  editStyle->SetStyle(bscbEditStyle);
  editStyle->SetItemIndex(6);
  auto* off = Box(column, skin, x + 170, top + 30, 120);
  off->SetItemIndex(7);
  off->SetEnabled(false);

  auto* edit = new TbsSkinEdit(column);
  edit->SetParent(column);
  edit->SetBounds(x, top + 60, 160, 20);
  edit->SetSkinData(skin);
  edit->SetText("Temp.wav");
  auto* offEdit = new TbsSkinEdit(column);
  offEdit->SetParent(column);
  offEdit->SetBounds(x + 170, top + 60, 120, 20);
  offEdit->SetSkinData(skin);
  offEdit->SetText("read only");
  offEdit->SetEnabled(false);
  return 90;
}
