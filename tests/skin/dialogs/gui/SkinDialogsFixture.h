#pragma once
// The skin controls' test form, with helpers for the combo box: a box with items, the
// list's rows on the screen and the pointer taken there.
#include <initializer_list>
#include <string>
#include <vector>

#include "skin/data/ResourceStrData.h"
#include "skin/dialogs/PopupListBox.h"
#include "skin/dialogs/SkinComboBox.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

namespace skindialogstest {

using namespace skincontrolstest;

class SkinDialogsFixture : public SkinControlsFixture {
 protected:
  TbsSkinComboBox* Combo(int count, int dropDownCount = 8, int x = 20, int y = 20) {
    auto* c = Make<TbsSkinComboBox>(x, y, 120, 20);
    for (int i = 0; i < count; ++i) c->Items()->Add("Item " + std::to_string(i));
    c->SetDropDownCount(dropDownCount);
    c->OnClick = [this](TObject*) { ++Clicks; };
    c->OnChange = [this](TObject*) { ++Changes; };
    return c;
  }
  // A point of row `row` of the open list, in the box's client coordinates (the box
  // holds the mouse while the list is open).
  static TPoint RowPoint(TbsSkinComboBox* c, int row) {
    TbsPopupListBox* l = c->ListBox();
    const TRect rows = l->RowsRect();
    const int y = rows.Top + (row - l->TopIndex()) * l->RowHeight() + l->RowHeight() / 2;
    return c->ScreenToClient(Point(l->Left() + rows.Left + 10, l->Top() + y));
  }
  static void Mouse(TbsSkinComboBox* c, UINT msg, TPoint p, WPARAM keys) { SimulateMouse(c, msg, p.X, p.Y, keys); }
  static void KeyPress(TWinControl* c, int vk, WPARAM keys = 0) {
    SimulateKey(c, (keys & MK_ALT) ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, keys);
    SimulateKey(c, (keys & MK_ALT) ? WM_SYSKEYUP : WM_KEYUP, vk, keys);
  }
  // Gives SkinData resource strings made of "KEY=text" lines (other keys: the built-in texts).
  void SetResourceTexts(std::initializer_list<const char*> texts) {
    auto* strings = new TbsResourceStrData(Form);
    TStringList lines;
    for (const char* l : texts) lines.Add(l);
    strings->SetResStrings(lines);
    SkinData->SetResourceStrData(strings);
  }
  int Clicks = 0;
  int Changes = 0;
};

}  // namespace skindialogstest
