// Skin buttons and check boxes under the input the window system delivers: keys to the
// focused widget (a held key as release and press pairs marked auto-repeat), the pointer
// to the widget under it.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "framework/controls/CustomEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

using namespace skincontrolstest;

namespace {

void SendKey(QEvent::Type type, int key, bool autoRepeat) {
  QKeyEvent e(type, key, Qt::NoModifier, key == Qt::Key_Space ? " " : "\r", autoRepeat);
  QApplication::sendEvent(QApplication::focusWidget(), &e);
}

void SendMouse(TControl* c, QEvent::Type type) {
  const TPoint sp = c->ClientToScreen(Point(8, 10));
  QWidget* w = QApplication::widgetAt(sp.X, sp.Y);
  ASSERT_NE(nullptr, w);
  const QPointF global(sp.X, sp.Y), local = w->mapFromGlobal(global);
  QMouseEvent e(type, local, local, global, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

class SkinRealInputTest : public SkinControlsFixture {
 protected:
  template <class T>
  T* Counted(int y) {
    auto* c = Make<T>(10, y, 100, 24);
    c->OnClick = [this](TObject*) { ++Clicks; };
    return c;
  }
  void Click(TControl* c) {
    for (QEvent::Type t : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) SendMouse(c, t);
  }
  int Clicks = 0;
};

// One click per press of Enter or Space, none more from the same key; a held Space
// clicks again on each repeat only in RepeatMode (every key-down and the release).
TEST_F(SkinRealInputTest, KeysClickOncePerPressAndRepeatOnlyInRepeatMode) {
  struct Case { const char* what; bool box, repeatMode; int key, repeats, clicks; } cases[] = {
      {"Enter, button", false, false, Qt::Key_Return, 0, 1},
      {"Space held, button", false, false, Qt::Key_Space, 5, 1},
      {"Space held, repeating button", false, true, Qt::Key_Space, 5, 7},
      {"Space held, check box", true, false, Qt::Key_Space, 5, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Clicks = 0;
    TWinControl* target = c.box ? static_cast<TWinControl*>(Counted<TbsSkinCheckRadioBox>(10)) : Counted<TbsSkinButton>(10);
    if (auto* b = dynamic_cast<TbsSkinButton*>(target)) b->SetRepeatMode(c.repeatMode);
    target->SetFocus();
    ASSERT_TRUE(testsupport::WaitUntil([&] { return target->Focused(); }, 2000));
    SendKey(QEvent::KeyPress, c.key, false);
    for (int i = 0; i < c.repeats; ++i) {
      SendKey(QEvent::KeyRelease, c.key, true);
      SendKey(QEvent::KeyPress, c.key, true);
    }
    SendKey(QEvent::KeyRelease, c.key, false);
    EXPECT_EQ(c.clicks, Clicks);
    delete target;
  }
}

// A press that cannot take the focus from an edit that keeps it is dropped: its release
// neither clicks nor toggles. Once the edit lets go, the same press and release do.
TEST_F(SkinRealInputTest, ReleaseOfADroppedPressDoesNothing) {
  auto* edit = new TEdit(Form);
  edit->SetParent(Form);
  edit->SetBounds(200, 10, 100, 22);
  auto* b = Counted<TbsSkinButton>(10);
  auto* box = Counted<TbsSkinCheckRadioBox>(50);
  edit->SetFocus();
  ASSERT_TRUE(testsupport::WaitUntil([&] { return edit->Focused(); }, 2000));
  edit->OnExit = [edit](TObject*) { edit->SetFocus(); };
  Click(b);
  Click(box);
  EXPECT_EQ(0, Clicks);
  EXPECT_TRUE(edit->Focused());
  edit->OnExit = nullptr;
  Click(b);
  Click(box);
  EXPECT_EQ(2, Clicks);
  EXPECT_TRUE(box->Checked());
}

}  // namespace
