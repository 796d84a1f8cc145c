#pragma once
// A shown test form with its skin form, the Slate skin drawn by its generator, timers
// ticked by hand and screenshots.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/menus/PopupMenu.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "tests/support/input/InputSimulation.h"
#include "framework/windows/PaintTo.h"
#include "framework/windows/Timers.h"
#include "framework/windows/Windows.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMenu.h"
#include "skin/form/SkinPopupWindow.h"
#include "tests/support/RealInput.h"
#include "tests/support/StoredSkins.h"
#include "tests/support/TestSupport.h"

namespace sftest {

// The Slate skin folder, drawn once per test process.
inline std::string SlateFolder() { return testsupport::SlateSkinFolder(); }

// Loads the Slate skin into data (false when the generator failed).
inline bool LoadSlate(TbsSkinData& data) {
  const std::string folder = SlateFolder();
  if (folder.empty()) return false;
  TbsCompressedStoredSkin stored(nullptr);
  stored.PackSkinIni(folder + "skin.ini");
  data.LoadFromStoredSkin(&stored);
  return !data.SkinEmpty;
}

inline void Tick(TTimer* t) {
  if (t && t->OnTimer) t->OnTimer(t);
}

inline void TickWindow(TWinControl* w, UINT id) {
  if (w && w->HandleAllocated()) SendMessage(w->HandleValue(), WM_TIMER, id, 0);
}

inline void Save(TBitmap& b, const std::string& name) { b.SavePngFile(testsupport::ArtifactDir() + "/" + name + ".png"); }

inline void Shot(TWinControl* w, const std::string& name) {
  TBitmap b;
  PaintTo(w, &b);
  Save(b, name);
}

// A 300 x 200 single-border form at (200, 150) with a skin form and the main window's
// border icons, shown and active.
class FormFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBorderStyle(bsSingle);
    form->SetBounds(200, 150, 300, 200);
    form->SetCaption("Skin form test");
    skinForm = new TbsSkinForm(form);
    skinForm->SetBorderIcons({biSystemMenu, biMinimize, biRollUp});
    form->Show();
    testsupport::Pump(20);
    SendMessage(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    skinForm->SetAlwaysDrawAsActive(true);
  }
  void TearDown() override {
    delete form;
    testsupport::Pump(5);
  }
  // A press of the right button on the caption text area (window coordinates).
  void RightClickCaption(int wx = 100, int wy = 10) {
    const TRect c = form->ClientRectInWindow();
    SimulateMouse(form, WM_RBUTTONDOWN, wx - c.Left, wy - c.Top, MK_RBUTTON);
    SimulateMouse(form, WM_RBUTTONUP, wx - c.Left, wy - c.Top);
  }
  // Moves the pointer to a window point of w and lets w poll it.
  void HoverWindow(TbsSkinPopupWindow* w, TPoint p) {
    SetCursorPos(w->Left() + p.X, w->Top() + p.Y);
    TickWindow(w, TbsSkinPopupWindow::MouseTimerId);
  }
  void Key(int vk) { SimulateKey(form, WM_KEYDOWN, vk); }
  // Characters typed on the keyboard (accelerators answer these).
  void Type(const std::u32string& text) { realinput::Type(text); }
  TbsSkinMenu* Menu() const { return skinForm->SkinMenu(); }
  TbsSkinPopupWindow* Level(int i) const { return Menu()->Windows(i); }

  TForm* form = nullptr;
  TbsSkinForm* skinForm = nullptr;
};

}  // namespace sftest
