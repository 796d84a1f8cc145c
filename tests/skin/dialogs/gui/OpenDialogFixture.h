#pragma once
// The skinned open dialog over a temporary tree, driven from inside its modal loop: each
// step runs on a timer tick while the window shows, with the window at hand.
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <cctype>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/CustomEdit.h"
#include "framework/windows/Timers.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/dialogs/OpenDlgForm.h"
#include "skin/dialogs/SkinEdit.h"
#include "skin/dialogs/SkinFileListView.h"
#include "skin/dialogs/SkinFilterComboBox.h"
#include "skin/dialogs/SkinOpenDialog.h"
#include "tests/skin/dialogs/gui/SkinDialogsFixture.h"
#include "tests/skin/dialogs/unit/ShellTestTree.h"

namespace opendialogtest {

using namespace skindialogstest;
using Step = std::function<void(TbsOpenDlgForm*)>;

class OpenDialogFixture : public SkinDialogsFixture {
 protected:
  void SetUp() override {
    SkinDialogsFixture::SetUp();
    t.Dir("A");
    t.Dir("A/B");
    t.Dir("A/B/C");
    t.Dir("Music");
    t.Dir("Music/sub");
    t.File("Music/sub/song.txt");
    t.File("a.txt", "hello");
    t.File("b.wav");
    Dialog = new TbsSkinOpenDialog(Form);
    Dialog->SetInitialDir(t.Root);
  }

  // Execute with the steps run one per tick inside the modal loop. A window still open
  // after the last step and a while more is cancelled and reported.
  bool Run(std::vector<Step> steps) {
    size_t next = 0;
    int idle = 0;
    Stuck = false;
    auto timer = std::make_unique<TTimer>(nullptr);
    timer->SetInterval(15);
    timer->OnTimer = [&](TObject*) {
      TbsOpenDlgForm* f = Dialog->DialogForm();
      if (!f || !f->Showing() || std::chrono::steady_clock::now() < HoldUntil) return;
      if (next < steps.size()) {
        Step step = steps[next++];
        step(f);
      } else if (++idle > 100) {
        Stuck = true;
        f->SetModalResult(mrCancel);
      }
    };
    const bool result = Dialog->Execute();
    timer->SetEnabled(false);
    EXPECT_EQ(steps.size(), next) << "the window closed before its last step";
    return result;
  }

  // A step that lets the window run on its own for a while before the next one.
  Step Pause(int ms) {
    return [this, ms](TbsOpenDlgForm*) { HoldUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms); };
  }

  // Input the way the user gives it.
  static void Click(TControl* c) {
    TWinControl* target = dynamic_cast<TWinControl*>(c);
    int x = c->Width() / 2, y = c->Height() / 2;
    if (!target) {
      target = c->Parent();
      x += c->Left();
      y += c->Top();
    }
    SimulateMouse(target, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    SimulateMouse(target, WM_LBUTTONUP, x, y, 0);
  }
  static void Type(TbsOpenDlgForm* f, const std::string& text) {
    f->FileNameEdit->SetFocus();
    f->FileNameEdit->SetText("");
    for (char ch : text) SimulateChar(f->FileNameEdit->Field(), char32_t(static_cast<unsigned char>(ch)));
  }
  static void EditKey(TbsOpenDlgForm* f, int vk) { KeyPress(f->FileNameEdit->Field(), vk); }
  // A key pressed and released where the keyboard focus is; text is what it types.
  static void FocusKey(int qtKey, const QString& text = {}) {
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
      QKeyEvent e(type, qtKey, Qt::NoModifier, text);
      if (QWidget* w = QApplication::focusWidget()) QCoreApplication::sendEvent(w, &e);
    }
  }
  static void FocusType(const std::string& text) {
    // Qt's key codes of printable ASCII are the characters' upper-case codes.
    for (char ch : text) FocusKey(std::toupper(static_cast<unsigned char>(ch)), QString(QChar(ch)));
  }
  // The row of a caption in the list, -1 when it is not shown.
  static int Row(TbsOpenDlgForm* f, const std::string& caption) {
    for (int i = 0; i < f->FileList->ItemCount(); ++i)
      if (f->FileList->DisplayItem(i).Caption == caption) return i;
    return -1;
  }
  static void DoubleClickRow(TbsOpenDlgForm* f, const std::string& caption) {
    const int i = Row(f, caption);
    ASSERT_GE(i, 0) << caption;
    const TRect r = f->FileList->ItemRect(i);
    const int x = r.Left + 8, y = (r.Top + r.Bottom) / 2;
    SimulateMouse(f->FileList, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    SimulateMouse(f->FileList, WM_LBUTTONUP, x, y, 0);
    SimulateMouse(f->FileList, WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
    SimulateMouse(f->FileList, WM_LBUTTONUP, x, y, 0);
  }
  std::string Folder(TbsOpenDlgForm* f) const { return f->FileList->CurrentFolderPath(); }

  dialogtest::TTree t;
  TbsSkinOpenDialog* Dialog = nullptr;
  bool Stuck = false;
  std::chrono::steady_clock::time_point HoldUntil;
};

}  // namespace opendialogtest
