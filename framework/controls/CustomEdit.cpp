// The edit control: the dialog's keys stay the window's, everything else typed or
// clicked goes to its text field (qt/EditField.cpp).
#include "framework/controls/CustomEdit.h"

#include "framework/messages/MessageViews.h"
#include "framework/windows/Windows.h"

void TCustomEdit::Change() {
  if (OnChange) {
    TNotifyEvent handler = OnChange;
    handler(this);
  }
}

void TCustomEdit::WndProc(TMessage& m) {
  if (m.Msg == WM_GETDLGCODE) {
    m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    return;
  }
  if (m.Msg >= WM_MOUSEMOVE && m.Msg <= WM_MBUTTONDBLCLK) {
    std::weak_ptr<const bool> alive = Lifetime();
    const TMessage seen = m;
    TWinControl::WndProc(m);
    if (!alive.expired()) FeedMouse(seen);
    return;
  }
  TWinControl::WndProc(m);
}

void TCustomEdit::DefaultHandler(TMessage& m) {
  // Keys an edit field does not take (Tab, Enter, Escape, the menu key) and control
  // characters are the dialog's: focus moves, default and cancel buttons, menus.
  const bool dialogKey = m.Msg == WM_KEYDOWN && (m.WParam == WPARAM(VK_TAB) || m.WParam == WPARAM(VK_RETURN) ||
                                                  m.WParam == WPARAM(VK_ESCAPE) || m.WParam == WPARAM(VK_APPS));
  if (dialogKey || (m.Msg == WM_CHAR && (m.WParam < 0x20 || m.WParam == 0x7F))) {
    TWinControl::DefaultHandler(m);
    return;
  }
  if ((m.Msg == WM_KEYDOWN || m.Msg == WM_CHAR) && FeedKey(m)) {
    m.Result = 0;
    return;
  }
  TWinControl::DefaultHandler(m);
}
