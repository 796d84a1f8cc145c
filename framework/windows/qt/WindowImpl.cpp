// The window operations of TWinControl::Impl over its Qt widgets.
#include <QPainter>
#include <algorithm>

#include "framework/graphics/qt/QtBridge.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Windows.h"
#include "framework/windows/qt/WindowWidgets.h"

namespace {
Qt::CursorShape CursorShape(TCursor cursor) {
  switch (cursor) {
    case crIBeam: return Qt::IBeamCursor;
    case crCross: return Qt::CrossCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    case crNo: return Qt::ForbiddenCursor;
    case crNone: return Qt::BlankCursor;
    default: return Qt::ArrowCursor;
  }
}

QRect Geometry(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }
}  // namespace

QWidget* TWinControl::Impl::Widgets::Top() const {
  if (Frame) return Frame;
  if (NonClient) return NonClient;
  return Client;
}

namespace winimpl {
void BlitImage(QWidget* w, const TBitmap& image, QPoint at) {
  if (image.Empty()) return;
  QImage qi(reinterpret_cast<const uchar*>(image.Bits()), image.Width(), image.Height(),
            image.Width() * 4, QImage::Format_RGB32);
  QPainter p(w);
  p.drawImage(at, qi);
}
}  // namespace winimpl

TWinControl::Impl::Impl(TWinControl* owner) : Owner(owner), W(std::make_unique<Widgets>()) {}
TWinControl::Impl::~Impl() = default;

bool TWinControl::Impl::HasClient() const { return W->Client; }
bool TWinControl::Impl::HasFrame() const { return W->Frame; }
bool TWinControl::Impl::HasNonClient() const { return W->NonClient; }

void TWinControl::Impl::CreateClient(TWinControl* parent) {
  QWidget* parentWidget = parent ? parent->WindowImpl()->W->Client : nullptr;
  Qt::WindowFlags flags;
  if (Popup) {
    // Pop-ups (menus, lists, hints) never take the focus or the activation: a tip-type
    // window is shown without activation on every platform and left alone by window
    // managers, yet it is no Qt pop-up with an input grab.
    flags = Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
    if (Owner->ExStyle() & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
  }
  auto* w = new ClientWidget(Owner, parentWidget, flags);
  W->Client = w;
  if (Popup) {
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setFocusPolicy(Qt::NoFocus);
  }
  w->setGeometry(Owner->Left(), Owner->Top(), std::max(0, Owner->Width()), std::max(0, Owner->Height()));
  w->setEnabled(Owner->Enabled());
  if (parent) w->setVisible(Owner->Visible());
}

void TWinControl::Impl::CreateFrame(const std::string& caption, const TIcon& icon) {
  Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint;
  if (Owner->ExStyle() & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
  if (Owner->ExStyle() & WS_EX_TOOLWINDOW) flags |= Qt::Tool;
  auto* frame = new FrameWidget(static_cast<TCustomForm*>(Owner), flags);
  W->Frame = frame;
  SetFrameGeometry(Owner->BoundsRect());
  frame->setWindowTitle(QString::fromStdString(caption));
  if (!icon.Empty()) SetIcon(icon);
  W->Client->setParent(frame);
  W->Client->show();
}

void TWinControl::Impl::CreateNonClient() {
  // The window widget takes the client widget's place among its siblings.
  QWidget* client = W->Client;
  auto* nc = new NonClientWidget(Owner, client->parentWidget());
  nc->stackUnder(client);
  nc->setEnabled(Owner->Enabled());
  client->setParent(nc);
  client->show();
  nc->setVisible(Owner->Visible());
  W->NonClient = nc;
}

void TWinControl::Impl::Release() {
  for (auto& [id, t] : W->Timers)
    if (t) {
      t->stop();
      t->deleteLater();
    }
  W->Timers.clear();
  for (QWidget* w : {static_cast<QWidget*>(W->Client.data()), static_cast<QWidget*>(W->Frame.data()),
                     static_cast<QWidget*>(W->NonClient.data())}) {
    if (!w) continue;
    if (auto* cw = dynamic_cast<ClientWidget*>(w)) cw->Control = nullptr;
    if (auto* fw = dynamic_cast<FrameWidget*>(w)) fw->Form = nullptr;
    if (auto* nw = dynamic_cast<NonClientWidget*>(w)) nw->Control = nullptr;
    w->hide();
    w->deleteLater();
  }
}

bool TWinControl::Impl::Showing() const { return W->Top() && W->Top()->isVisible(); }

void TWinControl::Impl::SetShown(bool shown) {
  if (QWidget* top = W->Top()) top->setVisible(shown);
}

void TWinControl::Impl::AttachTo(TWinControl* parent) {
  W->Top()->setParent(parent->WindowImpl()->W->Client);
  Place();
  W->Top()->setVisible(Owner->Visible());
}

void TWinControl::Impl::Detach() {
  if (QWidget* top = W->Top()) {
    top->hide();
    top->setParent(nullptr);
  }
}

void TWinControl::Impl::Place() {
  if (!W->Client) return;
  const QRect bounds(Owner->Left(), Owner->Top(), std::max(0, Owner->Width()), std::max(0, Owner->Height()));
  if (!W->NonClient) {
    W->Client->setGeometry(bounds);
    return;
  }
  W->NonClient->setGeometry(bounds);
  W->Client->setGeometry(Geometry(ClientInWindow));
}

void TWinControl::Impl::SetClientShown(bool shown) {
  if (W->Client) W->Client->setVisible(shown);
}

void TWinControl::Impl::SetEnabled(bool enabled) {
  if (W->Client) W->Client->setEnabled(enabled);
  if (W->NonClient) W->NonClient->setEnabled(enabled);
}

void TWinControl::Impl::RaiseClient() {
  if (W->Client) W->Client->raise();
}
void TWinControl::Impl::LowerClient() {
  if (W->Client) W->Client->lower();
}

void TWinControl::Impl::SetCursor(TCursor cursor) {
  if (W->Client) W->Client->setCursor(CursorShape(cursor));
}

void TWinControl::Impl::FocusClient() {
  if (W->Client) W->Client->setFocus(Qt::OtherFocusReason);
}
bool TWinControl::Impl::ClientHasFocus() const { return W->Client && W->Client->hasFocus(); }

void TWinControl::Impl::UpdateClient() {
  if (W->Client) W->Client->update();
}
void TWinControl::Impl::UpdateWindow() {
  if (W->Frame) W->Frame->update();
  if (W->NonClient) W->NonClient->update();
}

void TWinControl::Impl::SetFrameGeometry(const TRect& b) {
  if (W->Frame) W->Frame->setGeometry(b.Left, b.Top, std::max(1, b.Width()), std::max(1, b.Height()));
}
void TWinControl::Impl::SetClientGeometry(const TRect& r) {
  if (W->Client) W->Client->setGeometry(Geometry(r));
}
void TWinControl::Impl::SetTitle(const std::string& caption) {
  if (W->Frame) W->Frame->setWindowTitle(QString::fromStdString(caption));
}
void TWinControl::Impl::SetIcon(const TIcon& icon) {
  if (W->Frame) W->Frame->setWindowIcon(ToQIcon(icon));
}
void TWinControl::Impl::SetFrameCursor(TCursor cursor) {
  if (W->Frame) W->Frame->setCursor(CursorShape(cursor));
}

bool TWinControl::Impl::Minimized() const { return W->Top() && W->Top()->isMinimized(); }
void TWinControl::Impl::ShowMinimized() {
  if (QWidget* top = W->Top()) top->showMinimized();
}
void TWinControl::Impl::ShowNormal() {
  if (QWidget* top = W->Top()) top->showNormal();
}
void TWinControl::Impl::ForgetMinimized() {
  if (QWidget* top = W->Top()) top->setWindowState(top->windowState() & ~Qt::WindowMinimized);
}

void TWinControl::Impl::ShowFrame(bool minimized) {
  QWidget* top = W->Frame;
  if (minimized)
    top->showMinimized();
  else
    top->show();
  top->raise();
  top->activateWindow();
}
void TWinControl::Impl::HideFrame() {
  if (W->Frame) W->Frame->hide();
}
bool TWinControl::Impl::FrameShowing() const { return W->Frame && W->Frame->isVisible(); }
void TWinControl::Impl::ActivateFrame() {
  W->Frame->raise();
  W->Frame->activateWindow();
}
void TWinControl::Impl::SetModal(bool modal) {
  if (W->Frame) W->Frame->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
}
