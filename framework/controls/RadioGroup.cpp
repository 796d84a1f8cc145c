#include "framework/controls/RadioGroup.h"

#include <algorithm>

#include "framework/controls/ControlPaint.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

TRadioGroup::TRadioGroup(TComponent* AOwner) : TCustomControl(AOwner), FItems(std::make_unique<TStringList>()) {
  FControlStyle = {csSetCaption, csDoubleClicks, csCaptureMouse};
  FColor = clBtnFace;
  FWidth = 185;
  FHeight = 105;
  FTabStop = true;
  FItems->OnChange = [this](TObject*) { ItemsChanged(); };
}

TRadioGroup::~TRadioGroup() { FItems->OnChange = nullptr; }

void TRadioGroup::ItemsChanged() {
  if (!ComponentState().Contains(csReading) && FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
  Invalidate();
}

void TRadioGroup::SetItemIndex(int v) {
  if (!ComponentState().Contains(csReading)) {
    if (v < -1) v = -1;
    if (v >= FItems->Count()) v = FItems->Count() - 1;
  }
  if (v == FItemIndex) return;
  FItemIndex = v;
  Invalidate();
}

void TRadioGroup::SetColumns(int v) {
  v = std::clamp(v, 1, 16);
  if (v == FColumns) return;
  FColumns = v;
  Invalidate();
}

void TRadioGroup::Loaded() {
  TCustomControl::Loaded();
  // Items and ItemIndex may have been stored in any order.
  FItemIndex = std::clamp(FItemIndex, -1, FItems->Count() - 1);
}

int TRadioGroup::TextHeight() const {
  TBitmap scratch(1, 1);
  scratch.Canvas()->Font()->Assign(&FFont);
  return scratch.Canvas()->GetTextMetrics().Height;
}

TRect TRadioGroup::ItemRect(int index) const {
  int count = FItems->Count();
  if (index < 0 || index >= count) return TRect{};
  // The classic arrangement: rows share the height below the caption evenly.
  int perColumn = (count + FColumns - 1) / FColumns;
  int buttonWidth = (FWidth - 10) / FColumns;
  int th = TextHeight();
  int free = FHeight - th - 5;
  int buttonHeight = std::max(0, free / perColumn);
  int topMargin = th + 1 + (free % perColumn) / 2;
  int left = (index / perColumn) * buttonWidth + 8;
  int top = (index % perColumn) * buttonHeight + topMargin;
  return Bounds(left, top, buttonWidth, buttonHeight);
}

int TRadioGroup::ItemAt(TPoint p) const {
  for (int i = 0; i < FItems->Count(); ++i)
    if (PtInRect(ItemRect(i), p)) return i;
  return -1;
}

bool TRadioGroup::UserSelect(int index) {
  if (index < 0 || index >= FItems->Count() || index == FItemIndex) return true;
  FItemIndex = index;
  Invalidate();
  std::weak_ptr<bool> alive = FAlive;
  Click();
  return !alive.expired();
}

void TRadioGroup::WndProc(TMessage& m) {
  if (!FEnabled && ((m.Msg >= WM_MOUSEMOVE && m.Msg <= WM_MBUTTONDBLCLK) || (m.Msg >= WM_KEYDOWN && m.Msg <= WM_SYSCHAR)))
    return;
  if (m.Msg == WM_CANCELMODE) FPressedItem = -1;
  TCustomControl::WndProc(m);
}

void TRadioGroup::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    FPressedItem = ItemAt(Point(X, Y));
    if (FPressedItem >= 0 && !Focused() && CanFocus()) SetFocus();
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TRadioGroup::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    int pressed = FPressedItem;
    FPressedItem = -1;
    if (pressed >= 0 && ItemAt(Point(X, Y)) == pressed && !UserSelect(pressed)) return;
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TRadioGroup::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  int count = FItems->Count();
  if (count == 0) return;
  int step = 0;
  if (Key == VK_DOWN || Key == VK_RIGHT) step = 1;
  if (Key == VK_UP || Key == VK_LEFT) step = -1;
  if (step == 0) return;
  Key = 0;
  // Moving wraps around, as between the radio buttons of a dialog.
  int from = FItemIndex < 0 ? (step > 0 ? -1 : count) : FItemIndex;
  UserSelect(((from + step) % count + count) % count);
}

void TRadioGroup::DoEnter() {
  Invalidate();
  TCustomControl::DoEnter();
}

void TRadioGroup::DoExit() {
  Invalidate();
  TCustomControl::DoExit();
}

void TRadioGroup::Paint() {
  TCanvas* c = Canvas();
  TRect client = ClientRect();
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = FColor;
  c->FillRect(client);
  c->Font()->Assign(&FFont);
  int th = c->GetTextMetrics().Height;

  // The etched group frame: a highlight ring under a shadow ring shifted up-left by one.
  TRect r = Rect(1, th / 2, client.Right, client.Bottom);
  c->Brush()->Color = clBtnHighlight;
  c->FrameRect(r);
  OffsetRect(r, -1, -1);
  c->Brush()->Color = clBtnShadow;
  c->FrameRect(r);

  if (!FCaption.empty()) {
    TRect tr = Rect(8, 0, 0, th);
    c->DrawText(FCaption, tr, DT_SINGLELINE | DT_CALCRECT);
    c->Brush()->Style = TBrushStyle::bsSolid;
    c->Brush()->Color = FColor;
    c->FillRect(tr);
    DrawControlText(c, FCaption, tr, DT_SINGLELINE, FEnabled);
  }

  bool focused = Focused();
  for (int i = 0; i < FItems->Count(); ++i) {
    TRect ir = ItemRect(i);
    if (ir.Width() <= 0 || ir.Height() <= 0) continue;
    c->SaveState();
    c->IntersectClipRect(ir);
    int gy = ir.Top + (ir.Height() - RadioGlyphSize) / 2;
    DrawRadioGlyph(c, ir.Left, gy, i == FItemIndex, FEnabled);
    TRect tr = Rect(ir.Left + RadioGlyphSize + 5, ir.Top, ir.Right, ir.Bottom);
    DrawControlText(c, FItems->Strings(i), tr, DT_SINGLELINE | DT_VCENTER, FEnabled);
    c->RestoreState();
    if (focused && i == FItemIndex) {
      TRect calc = Rect(0, 0, 0, 0);
      c->DrawText(FItems->Strings(i), calc, DT_SINGLELINE | DT_CALCRECT);
      int ty = ir.Top + (ir.Height() - calc.Height()) / 2;
      TRect fr = Rect(tr.Left - 2, ty - 1, std::min(tr.Left + calc.Width() + 2, ir.Right), ty + calc.Height() + 1);
      DrawFocusRect(c, fr);
    }
  }
}
