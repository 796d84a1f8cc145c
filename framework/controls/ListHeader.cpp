// The list view's column header: section geometry, the default look, pressed sections
// and column sizing by the dividers.
#include <algorithm>

#include "framework/controls/ListView.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"

TListHeader::TListHeader(TListView* AList) : TCustomControl(AList), FList(AList) {
  FControlStyle.Include(csOpaque);
}

TRect TListHeader::SectionRect(int i) const {
  int x = -FList->ScrollX();
  for (int c = 0; c < i; ++c) x += FList->Column(c).Width;
  return Rect(x, 0, x + FList->Column(i).Width, Height());
}

int TListHeader::SectionAt(int X) const {
  for (int i = 0; i < FList->ColumnCount(); ++i) {
    const TRect r = SectionRect(i);
    if (X >= r.Left && X < r.Right) return i;
  }
  return -1;
}

int TListHeader::DividerAt(int X) const {
  int found = -1;
  for (int i = 0; i < FList->ColumnCount(); ++i) {
    const int edge = SectionRect(i).Right;
    if (X >= edge - DividerSlop && X <= edge + DividerSlop) found = i;
  }
  return found;
}

void TListHeader::Paint() { FList->PaintHeader(Canvas()); }

void TListHeader::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const auto alive = Lifetime();
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (alive.expired() || Button != mbLeft) return;
  FSizing = DividerAt(X);
  if (FSizing >= 0) {
    // The divider keeps its distance from the pointer while it is dragged.
    FSizingGrab = X - FList->Column(FSizing).Width;
    FPressed = -1;
    FDown = false;
  } else {
    FPressed = SectionAt(X);
    FDown = FPressed >= 0;
  }
  Invalidate();
  FList->HeaderChanged();
}

void TListHeader::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  SetCursor(FSizing >= 0 || (FPressed < 0 && DividerAt(X) >= 0) ? crSizeWE : crDefault);
  if (FSizing >= 0) {
    FList->SetColumnWidth(FSizing, X - FSizingGrab);
    FList->HeaderChanged();
    return;
  }
  if (FPressed < 0) return;
  // The section pops up while the pointer is off it, as a button does.
  const bool down = SectionAt(X) == FPressed && Y >= 0 && Y < Height();
  if (down == FDown) return;
  FDown = down;
  Invalidate();
  FList->HeaderChanged();
}

void TListHeader::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const auto alive = Lifetime();
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (alive.expired() || Button != mbLeft) return;
  const int sized = FSizing, pressed = FPressed;
  const bool clicked = pressed >= 0 && FDown;
  FSizing = FPressed = -1;
  FDown = false;
  Invalidate();
  FList->HeaderChanged();
  if (sized >= 0 && FList->OnColumnResize) FList->OnColumnResize(FList, sized);
  if (clicked && FList->OnColumnClick) FList->OnColumnClick(FList, pressed);
}

// The default look: raised sections, a pressed one sunken with its caption moved by a pixel.
void TListView::PaintHeader(TCanvas* c) {
  const int W = FHeader->Width(), H = FHeader->Height();
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = clBtnFace;
  c->FillRect(Rect(0, 0, W, H));
  c->Font()->Assign(&FFont);
  c->Font()->SetColor(clBtnText);
  const int th = c->TextHeight("Wg");
  for (int i = 0; i < ColumnCount(); ++i) {
    TRect r = FHeader->SectionRect(i);
    if (r.Right <= 0 || r.Left >= W) continue;
    const TRect section = r;
    const bool down = FHeader->PressedSection() == i && FHeader->SectionDown();
    if (down)
      Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
    else
      Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
    const int shift = down ? 1 : 0;
    TRect text = Rect(section.Left + 5 + shift, section.Top, section.Right - 5, section.Bottom);
    const TListColumn& col = FColumns[size_t(i)];
    if (FSmallImages && col.ImageIndex >= 0 && text.Width() > 0) {
      const int saved = c->SaveState();
      c->IntersectClipRect(text);
      FSmallImages->Draw(c, text.Left, (H - FSmallImages->Height()) / 2 + shift, col.ImageIndex);
      c->RestoreState(saved);
      text.Left += FSmallImages->Width() + 4;
    }
    if (text.Right <= text.Left) continue;
    c->Brush()->Style = TBrushStyle::bsClear;
    c->TextRect(text, text.Left, (H - th) / 2 + shift, col.Caption);
    c->Brush()->Style = TBrushStyle::bsSolid;
  }
}
