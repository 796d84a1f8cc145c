// The window functions of Windows.h over the framework's windows and Qt.
#include <QApplication>
#include <QBitmap>
#include <algorithm>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/qt/QtBridge.h"
#include "framework/windows/HintWindow.h"
#include "framework/windows/Forms.h"
#include "framework/windows/qt/WindowWidgets.h"
#include "framework/windows/Windows.h"

using namespace winimpl;

namespace {
TCustomForm* AsForm(TWinControl* c) { return dynamic_cast<TCustomForm*>(c); }

struct StyleChange {
  DWORD StyleOld;
  DWORD StyleNew;
};

QScreen* ScreenAt(TPoint p) {
  QScreen* s = QGuiApplication::screenAt(QPoint(p.X, p.Y));
  return s ? s : QGuiApplication::primaryScreen();
}

TRect FromQRect(const QRect& r) { return Bounds(r.x(), r.y(), r.width(), r.height()); }

TPoint gSimulatedCursor{-1, -1};
bool gCursorKnown = false;
}  // namespace

void WindowAccess::Recalc(TCustomForm* f) { f->RecalcNonClient(); }

LONG GetWindowLong(HWND wnd, int index) {
  TWinControl* c = Lookup(wnd);
  if (!c) return 0;
  if (index == GWL_STYLE) return LONG(c->Style());
  if (index == GWL_EXSTYLE) return LONG(c->ExStyle());
  return 0;
}

LONG SetWindowLong(HWND wnd, int index, LONG value) {
  TWinControl* c = Lookup(wnd);
  if (!c || (index != GWL_STYLE && index != GWL_EXSTYLE)) return 0;
  DWORD& word = index == GWL_STYLE ? WindowAccess::Style(c) : WindowAccess::ExStyle(c);
  DWORD old = word;
  if (old == DWORD(value)) return LONG(old);
  StyleChange change{old, DWORD(value)};
  word = DWORD(value);
  GuardedSend(c, WM_STYLECHANGED, WPARAM(std::intptr_t(index)), reinterpret_cast<LPARAM>(&change));
  if (!IsWindow(wnd)) return LONG(old);
  if (index == GWL_EXSTYLE && ((old ^ DWORD(value)) & WS_EX_LAYERED)) {
    // Leaving the layered state makes the window opaque again.
    if (QWidget* top = c->WindowImpl()->W->Top())
      top->setWindowOpacity((DWORD(value) & WS_EX_LAYERED) ? c->WindowImpl()->Alpha / 255.0 : 1.0);
  }
  if (index == GWL_STYLE) {
    if (TCustomForm* f = AsForm(c))
      WindowAccess::Recalc(f);
    else
      WindowAccess::FrameChanged(c);
  }
  return LONG(old);
}

bool SetWindowPos(HWND wnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  TWinControl* c = Lookup(wnd);
  if (!c) return false;
  if (!(flags & SWP_NOMOVE) || !(flags & SWP_NOSIZE)) {
    int nx = (flags & SWP_NOMOVE) ? c->Left() : x, ny = (flags & SWP_NOMOVE) ? c->Top() : y;
    int nw = (flags & SWP_NOSIZE) ? c->Width() : cx, nh = (flags & SWP_NOSIZE) ? c->Height() : cy;
    c->SetBounds(nx, ny, nw, nh);
    if (!IsWindow(wnd)) return true;
  }
  if (flags & SWP_FRAMECHANGED) {
    if (TCustomForm* f = AsForm(c))
      WindowAccess::Recalc(f);
    else
      WindowAccess::FrameChanged(c);
  }
  QWidget* top = c->WindowImpl() ? c->WindowImpl()->W->Top() : nullptr;
  if (top && !(flags & SWP_NOZORDER)) {
    if (insertAfter == HWND_BOTTOM)
      top->lower();
    else
      top->raise();
  }
  if (flags & SWP_SHOWWINDOW) ShowWindow(wnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  if (flags & SWP_HIDEWINDOW) ShowWindow(wnd, SW_HIDE);
  return true;
}

bool ShowWindow(HWND wnd, int cmd) {
  TWinControl* c = Lookup(wnd);
  if (!c || !c->WindowImpl()) return false;
  QWidget* top = c->WindowImpl()->W->Top();
  bool was = top && top->isVisible();
  TCustomForm* f = AsForm(c);
  switch (cmd) {
    case SW_HIDE:
      if (f || c->Parent()) {
        c->SetVisible(false);
      } else if (top) {
        GuardedSend(c, WM_SHOWWINDOW, 0, 0);
        top->hide();
      }
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
      if (f) f->SetWindowState(wsMinimized);
      break;
    case SW_SHOWMAXIMIZED:
      if (f) {
        f->SetWindowState(wsMaximized);
        f->Show();
      }
      break;
    case SW_RESTORE:
      if (f) f->SetWindowState(wsNormal);
      [[fallthrough]];
    default:
      if (f || c->Parent()) {
        c->SetVisible(true);
      } else if (top) {
        // Pop-ups show without taking the activation.
        GuardedSend(c, WM_SHOWWINDOW, 1, 0);
        if (IsWindow(wnd)) top->show();
      }
      break;
  }
  return was;
}

bool IsWindowVisible(HWND wnd) {
  TWinControl* c = Lookup(wnd);
  return c && c->WindowImpl() && c->WindowImpl()->W->Top() && c->WindowImpl()->W->Top()->isVisible() &&
         (!c->Parent() || c->Showing());
}

bool EnableWindow(HWND wnd, bool enable) {
  TWinControl* c = Lookup(wnd);
  if (!c) return false;
  bool wasDisabled = !c->Enabled();
  c->SetEnabled(enable);
  return wasDisabled;
}

bool IsWindowEnabled(HWND wnd) {
  TWinControl* c = Lookup(wnd);
  return c && c->Enabled();
}

bool IsIconic(HWND wnd) {
  TCustomForm* f = AsForm(Lookup(wnd));
  return f && f->WindowState() == wsMinimized;
}

bool IsZoomed(HWND wnd) {
  TCustomForm* f = AsForm(Lookup(wnd));
  return f && f->WindowState() == wsMaximized;
}

HWND GetParent(HWND wnd) {
  TWinControl* c = Lookup(wnd);
  return (c && c->Parent()) ? c->Parent()->Handle() : 0;
}

bool GetWindowRect(HWND wnd, TRect& r) {
  TWinControl* c = Lookup(wnd);
  if (!c) return false;
  if (AsForm(c) || !c->Parent()) {
    r = c->BoundsRect();
  } else {
    TPoint o = c->ClientOrigin();
    r = Bounds(o.X, o.Y, c->Width(), c->Height());
  }
  return true;
}

bool GetClientRect(HWND wnd, TRect& r) {
  TWinControl* c = Lookup(wnd);
  if (!c) return false;
  TRect cr = c->ClientRect();
  r = Rect(0, 0, cr.Width(), cr.Height());
  return true;
}

bool ClientToScreen(HWND wnd, TPoint& p) {
  TWinControl* c = Lookup(wnd);
  if (!c) return false;
  p = c->ClientToScreen(p);
  return true;
}

bool ScreenToClient(HWND wnd, TPoint& p) {
  TWinControl* c = Lookup(wnd);
  if (!c) return false;
  p = c->ScreenToClient(p);
  return true;
}

void MapWindowPoints(HWND from, HWND to, TPoint* points, int count) {
  for (int i = 0; i < count; ++i) {
    if (from) ClientToScreen(from, points[i]);
    if (to) ScreenToClient(to, points[i]);
  }
}

bool InvalidateRect(HWND wnd, const TRect*, bool) {
  TWinControl* c = Lookup(wnd);
  if (!c) return false;
  c->Invalidate();
  return true;
}

bool UpdateWindow(HWND wnd) {
  TWinControl* c = Lookup(wnd);
  if (!c || !c->WindowImpl()) return false;
  TWinControl::Impl* impl = c->WindowImpl();
  if (impl->W->Client && impl->W->Client->isVisible())
    impl->W->Client->repaint();
  else
    RenderClient(c);
  return true;
}

bool RedrawWindow(HWND wnd, const TRect* r, UINT flags) {
  TWinControl* c = Lookup(wnd);
  if (!c) return false;
  if (flags & RDW_FRAME)
    if (TWinControl::Impl* impl = c->WindowImpl(); impl && (impl->W->Frame || impl->W->NonClient)) {
      impl->FrameDirty = true;
      if (impl->W->Frame) impl->W->Frame->update();
      if (impl->W->NonClient) impl->W->NonClient->update();
    }
  if (flags & (RDW_INVALIDATE | RDW_ERASE)) InvalidateRect(wnd, r, true);
  if (flags & RDW_ALLCHILDREN)
    for (int i = 0; i < c->ControlCount(); ++i)
      if (auto* w = dynamic_cast<TWinControl*>(c->Controls(i)); w && w->HandleAllocated())
        RedrawWindow(w->HandleValue(), nullptr, flags);
  if (flags & RDW_UPDATENOW) {
    if (TCustomForm* f = AsForm(c); f && f->WindowImpl()) RenderFrame(f);
    if (!AsForm(c)) RenderNonClient(c);
    UpdateWindow(wnd);
  }
  return true;
}

TCanvas* GetWindowCanvas(HWND wnd) {
  TWinControl* c = Lookup(wnd);
  if (!c || !c->WindowImpl()) return nullptr;
  TWinControl::Impl* impl = c->WindowImpl();
  if (!AsForm(c) && !impl->W->NonClient) return GetClientCanvas(wnd);
  if (impl->WindowImage.Width() != c->Width() || impl->WindowImage.Height() != c->Height())
    impl->WindowImage.SetSize(std::max(0, c->Width()), std::max(0, c->Height()));
  TCanvas* canvas = impl->WindowImage.Canvas();
  canvas->ResetClip();
  canvas->SetOrigin(Point(0, 0));
  if (impl->W->Frame) impl->W->Frame->update();
  if (impl->W->NonClient) impl->W->NonClient->update();
  return canvas;
}

TCanvas* GetClientCanvas(HWND wnd) {
  TWinControl* c = Lookup(wnd);
  if (!c || !c->WindowImpl()) return nullptr;
  TWinControl::Impl* impl = c->WindowImpl();
  RenderClient(c);
  TCanvas* canvas = impl->ClientImage.Canvas();
  canvas->ResetClip();
  canvas->SetOrigin(Point(0, 0));
  if (impl->W->Client) impl->W->Client->update();
  return canvas;
}

int SetWindowRgn(HWND wnd, const TRegion* region, bool redraw) {
  TWinControl* c = Lookup(wnd);
  if (!c || !c->WindowImpl()) return 0;
  TWinControl::Impl* impl = c->WindowImpl();
  QWidget* top = impl->W->Top();
  if (region) {
    impl->Shape = *region;
    if (top) top->setMask(ToQRegion(*region));
  } else {
    impl->Shape.reset();
    if (top) top->clearMask();
  }
  if (redraw && top) top->update();
  return 1;
}

bool GetWindowRgn(HWND wnd, TRegion& region) {
  TWinControl* c = Lookup(wnd);
  if (!c || !c->WindowImpl() || !c->WindowImpl()->Shape) return false;
  region = *c->WindowImpl()->Shape;
  return true;
}

bool SetLayeredWindowAttributes(HWND wnd, TColor, Byte alpha, DWORD flags) {
  TWinControl* c = Lookup(wnd);
  if (!c || !c->WindowImpl() || !(c->ExStyle() & WS_EX_LAYERED)) return false;
  if (flags & LWA_ALPHA) {
    c->WindowImpl()->Alpha = alpha;
    if (QWidget* top = c->WindowImpl()->W->Top()) top->setWindowOpacity(alpha / 255.0);
  }
  return true;
}

bool LayeredWindowsSupported() { return true; }

TRect GetMonitorRectAt(TPoint p) {
  QScreen* s = ScreenAt(p);
  return s ? FromQRect(s->geometry()) : Rect(0, 0, 1024, 768);
}

TRect GetMonitorWorkAreaAt(TPoint p) {
  QScreen* s = ScreenAt(p);
  return s ? FromQRect(s->availableGeometry()) : Rect(0, 0, 1024, 768);
}

static TPoint WindowCenter(HWND wnd) {
  TRect r;
  if (!GetWindowRect(wnd, r)) return Point(0, 0);
  return Point(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
}

TRect GetMonitorRect(HWND wnd) { return GetMonitorRectAt(WindowCenter(wnd)); }
TRect GetMonitorWorkArea(HWND wnd) { return GetMonitorWorkAreaAt(WindowCenter(wnd)); }

HWND SetCapture(HWND wnd) {
  HWND prev = CaptureWindow();
  TWinControl* c = Lookup(wnd);
  if (!c) return prev;
  SetCaptureInternal(wnd, c);
  if (prev && prev != wnd && IsWindow(prev)) GuardedSend(Lookup(prev), WM_CAPTURECHANGED, 0, LPARAM(wnd));
  return prev;
}

bool ReleaseCapture() {
  HWND prev = CaptureWindow();
  SetCaptureInternal(0, nullptr);
  if (prev && IsWindow(prev)) GuardedSend(Lookup(prev), WM_CAPTURECHANGED, 0, 0);
  return true;
}

HWND GetCapture() { return CaptureWindow(); }

bool GetCursorPos(TPoint& p) {
  QPoint q = QCursor::pos();
  p = Point(q.x(), q.y());
  // Platforms without a pointer (offscreen) keep the last simulated position.
  if (gCursorKnown && QGuiApplication::platformName() == "offscreen") p = gSimulatedCursor;
  return true;
}

bool SetCursorPos(int x, int y) {
  QCursor::setPos(x, y);
  gSimulatedCursor = Point(x, y);
  gCursorKnown = true;
  return true;
}

HWND WindowFromPoint(TPoint p) {
  QWidget* w = QApplication::widgetAt(p.X, p.Y);
  for (; w; w = w->parentWidget()) {
    if (auto* cw = dynamic_cast<ClientWidget*>(w); cw && cw->Control) return cw->Control->HandleValue();
    if (auto* fw = dynamic_cast<FrameWidget*>(w); fw && fw->Form) return fw->Form->HandleValue();
    if (auto* nw = dynamic_cast<NonClientWidget*>(w); nw && nw->Control) return nw->Control->HandleValue();
  }
  return 0;
}

namespace {
short WindowSystemKeyState(int vk) {
  bool down = false;
  Qt::MouseButtons b = HeldButtons() | QGuiApplication::mouseButtons();
  Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers() | KeyboardModifiersHeld();
  switch (vk) {
    case VK_LBUTTON: down = b & Qt::LeftButton; break;
    case VK_RBUTTON: down = b & Qt::RightButton; break;
    case VK_MBUTTON: down = b & Qt::MiddleButton; break;
    case VK_SHIFT: down = m & Qt::ShiftModifier; break;
    case VK_CONTROL: down = m & Qt::ControlModifier; break;
    case VK_MENU: down = m & Qt::AltModifier; break;
    default: down = false; break;
  }
  return down ? short(0x8000) : 0;
}

// The key state below the windows layer is this one, wherever windows are linked in.
[[maybe_unused]] const bool gKeyStateInstalled = (SetKeyStateSource(&WindowSystemKeyState), true);
}  // namespace

HWND GetFocus() {
  // The focus may rest on a window's native field (its focus proxy): the window has it.
  for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
    if (auto* cw = dynamic_cast<ClientWidget*>(w)) return cw->Control ? cw->Control->HandleValue() : GetActiveWindow();
  return GetActiveWindow();
}

HWND SetFocus(HWND wnd) {
  HWND prev = GetFocus();
  if (TWinControl* c = Lookup(wnd); c && c->CanFocus()) c->SetFocus();
  return prev;
}

HWND GetActiveWindow() {
  QWidget* w = QApplication::activeWindow();
  if (auto* fw = dynamic_cast<FrameWidget*>(w); fw && fw->Form) return fw->Form->HandleValue();
  if (auto* cw = dynamic_cast<ClientWidget*>(w); cw && cw->Control) return cw->Control->HandleValue();
  for (int i = 0; i < Screen()->FormCount(); ++i)
    if (Screen()->Forms(i)->Active()) return Screen()->Forms(i)->HandleValue();
  return 0;
}

HWND GetForegroundWindow() { return GetActiveWindow(); }

bool SetForegroundWindow(HWND wnd) {
  TWinControl* c = Lookup(wnd);
  if (!c || !c->WindowImpl() || !c->WindowImpl()->W->Top()) return false;
  QWidget* top = c->WindowImpl()->W->Top();
  top->raise();
  top->activateWindow();
  return true;
}

int GetSystemMetrics(int index) {
  QScreen* s = QGuiApplication::primaryScreen();
  const QRect screen = s ? s->geometry() : QRect(0, 0, 1024, 768);
  const QRect work = s ? s->availableGeometry() : screen;
  const QRect virt = s ? s->virtualGeometry() : screen;
  const int frame = DefaultFrameBorder + 1;
  switch (index) {
    case SM_CXSCREEN: return screen.width();
    case SM_CYSCREEN: return screen.height();
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL: return 16;
    case SM_CYVTHUMB: case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return DefaultCaptionHeight + 1;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return DefaultFrameBorder;
    case SM_CXFRAME: case SM_CYFRAME: return frame;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CXICONSPACING: case SM_CYICONSPACING: return 75;
    case SM_CYMENU: return 19;
    case SM_CXSIZE: case SM_CYSIZE: return DefaultCaptionHeight;
    case SM_CXSMSIZE: return 12;
    case SM_CYSMSIZE: return 15;
    case SM_CXMENUSIZE: case SM_CYMENUSIZE: return DefaultCaptionHeight;
    case SM_CXMENUCHECK: case SM_CYMENUCHECK: return 13;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CYSMCAPTION: return 16;
    case SM_CXMIN: case SM_CXMINTRACK: return 112;
    case SM_CYMIN: case SM_CYMINTRACK: return 27;
    case SM_CXMINIMIZED: return 160;
    case SM_CYMINIMIZED: return 24;
    case SM_CXMAXTRACK: return virt.width() + 2 * frame;
    case SM_CYMAXTRACK: return virt.height() + 2 * frame;
    case SM_CXMAXIMIZED: return work.width() + 2 * frame;
    case SM_CYMAXIMIZED: return work.height() + 2 * frame;
    case SM_CXFULLSCREEN: return work.width();
    case SM_CYFULLSCREEN: return work.height() - (DefaultCaptionHeight + 1);
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: return 4;
    case SM_CXDRAG: case SM_CYDRAG: return 4;
    case SM_MOUSEPRESENT: case SM_MOUSEWHEELPRESENT: return 1;
    case SM_SWAPBUTTON: return 0;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_XVIRTUALSCREEN: return virt.x();
    case SM_YVIRTUALSCREEN: return virt.y();
    case SM_CXVIRTUALSCREEN: return virt.width();
    case SM_CYVIRTUALSCREEN: return virt.height();
    case SM_CMONITORS: return std::max(1, int(QGuiApplication::screens().size()));
    default: return 0;
  }
}

bool GetDragFullWindows() { return true; }

unsigned GetDoubleClickTime() { return unsigned(QApplication::doubleClickInterval()); }

int GetCursorHeightMargin() {
  // Only a cursor made from a bitmap can be read; the shapes of the cursor theme cannot.
  if (const QCursor* over = QGuiApplication::overrideCursor(); over && over->shape() == Qt::BitmapCursor) {
    const QImage mask = over->mask().toImage().convertToFormat(QImage::Format_Mono);
    const QImage image = over->bitmap().toImage().convertToFormat(QImage::Format_Mono);
    int bottom = -1;
    for (int y = mask.height() - 1; y >= 0 && bottom < 0; --y)
      for (int x = 0; x < mask.width(); ++x)
        if (mask.pixelIndex(x, y) != 0 || (y < image.height() && x < image.width() && image.pixelIndex(x, y) != 0)) {
          bottom = y;
          break;
        }
    if (bottom >= 0) return bottom + 1 - over->hotSpot().y();
  }
  return GetSystemMetrics(SM_CYCURSOR);
}
