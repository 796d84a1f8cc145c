#include "tests/support/RealInput.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <stdexcept>

namespace realinput {
namespace {
void Mouse(TPoint screen, bool down) {
  const QPoint global(screen.X, screen.Y);
  QWidget* w = QApplication::widgetAt(global);
  QWindow* window = w ? w->window()->windowHandle() : nullptr;
  if (!window) throw std::runtime_error("no window under the pointer");
  // Through the window system interface: Qt finds the widget under the point itself.
  const QPoint local = window->mapFromGlobal(global);
  if (down)
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, local);
  else
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, local);
}
}  // namespace

void Press(TPoint screen) { Mouse(screen, true); }
void Release(TPoint screen) { Mouse(screen, false); }
void Click(TPoint screen) {
  Press(screen);
  Release(screen);
}

void Type(const std::u32string& text) {
  for (char32_t ch : text) {
    const QString s = QString::fromUcs4(&ch, 1);
    // Qt names a character key by its upper-case form (Key_Eacute for "é").
    const auto key = Qt::Key(s.toUpper().toUcs4().value(0));
    // A null widget: QTest gives the event to the focus widget, as the keyboard would.
    QTest::sendKeyEvent(QTest::Press, static_cast<QWidget*>(nullptr), key, s, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, static_cast<QWidget*>(nullptr), key, s, Qt::NoModifier);
  }
}
}  // namespace realinput
