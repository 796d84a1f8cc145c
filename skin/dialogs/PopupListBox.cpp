#include "skin/dialogs/PopupListBox.h"

#include <algorithm>

#include "framework/controls/ControlPaint.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "framework/windows/Windows.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/SkinText.h"

namespace {
constexpr int DefaultScrollWidth = 18;
constexpr int MinRowHeight = 8;
}  // namespace

TbsPopupListBox::TbsPopupListBox(TComponent* AOwner) : TbsSkinCustomControl(AOwner) {
  FVisible = false;
  FControlStyle = {csOpaque};
  FSkinDataName = "listbox";
  FWidth = 120;
  FHeight = 100;
  FItemFont.SetName("Arial");
  FItemFont.SetHeight(14);
  FItems.OnChange = [this](TObject*) {
    if (FItemIndex >= FItems.Count()) FItemIndex = -1;
    SetTopIndex(FTopIndex);
    UpdateScrollBar();
    Invalidate();
  };
  FScrollBar = new TbsSkinScrollBar(this);
  FScrollBar->SetVisible(false);
  FScrollBar->SetKind(sbVertical);
  FScrollBar->SetSkinDataName(FVScrollBarName);
  FScrollBar->SetDefaultHeight(0);
  // The box holds the mouse while its list is open and hands the bar its messages.
  FScrollBar->SetControlStyle(FScrollBar->ControlStyle() - csCaptureMouse);
  FScrollBar->SetBounds(0, 0, DefaultScrollWidth, 60);
  FScrollBar->SetParent(this);
  FScrollBar->OnChange = [this](TObject*) {
    if (!FSyncing) SetTopIndex(FScrollBar->Position());
  };
}

TbsPopupListBox::~TbsPopupListBox() { FItems.OnChange = nullptr; }

void TbsPopupListBox::CreateParams(TCreateParams& p) {
  TbsSkinCustomControl::CreateParams(p);
  p.Style = (p.Style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP;
  p.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
}

void TbsPopupListBox::Notification(TComponent* AComponent, TOperation Operation) {
  TbsSkinCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TbsPopupListBox::SetImages(TImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  Invalidate();
}

// ---- selection and scrolling ------------------------------------------------------------
void TbsPopupListBox::SetItemIndex(int Value) {
  if (Value < 0 || Value >= FItems.Count()) Value = -1;
  FItemIndex = Value;
  MakeVisible(Value);
  Invalidate();
}

void TbsPopupListBox::SetTopIndex(int Value) {
  Value = std::max(0, std::min(Value, FItems.Count() - FRows));
  if (Value == FTopIndex) return;
  FTopIndex = Value;
  UpdateScrollBar();
  Invalidate();
}

void TbsPopupListBox::SetRows(int Value) {
  FRows = std::max(1, Value);
  SetTopIndex(FTopIndex);
  MakeVisible(FItemIndex);
  UpdateScrollBar();
  Invalidate();
}

void TbsPopupListBox::MakeVisible(int Index) {
  if (Index < 0) return;
  if (Index < FTopIndex)
    SetTopIndex(Index);
  else if (Index >= FTopIndex + FRows)
    SetTopIndex(Index - FRows + 1);
}

void TbsPopupListBox::Popup() {
  HandleNeeded();
  SetWindowPos(Handle(), HWND_TOPMOST, Left(), Top(), 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
  FVisible = true;
  UpdateScrollBar();
  Invalidate();
}

void TbsPopupListBox::ClosePopup() {
  if (HandleAllocated()) ShowWindow(HandleValue(), SW_HIDE);
  FVisible = false;
}

int TbsPopupListBox::RowHeight() const {
  if (FIndex != -1 && !IsNullRect(FItemRect)) return std::max(MinRowHeight, RectHeight(FItemRect));
  TBitmap probe(1, 1);
  probe.Canvas()->Font()->Assign(&FItemFont);
  return std::max(MinRowHeight, probe.Canvas()->TextHeight("Wg") + 2);
}

TRect TbsPopupListBox::InnerRect() {
  if (FIndex != -1) {
    TRect r = FNew.Client;
    if (!IsNullRect(r)) return r;
  }
  return Rect(1, 1, Width() - 1, Height() - 1);
}

int TbsPopupListBox::HeightForRows(int Rows) {
  ReadSkinRecord();
  const int rows = std::max(1, Rows) * RowHeight();
  if (FIndex != -1 && !IsNullRect(FPoints.Client))
    return rows + FPoints.Client.Top + (RectHeight(FSkinRect) - FPoints.Client.Bottom);
  return rows + 2;
}

bool TbsPopupListBox::ScrollBarShown() const { return FItems.Count() > FRows; }

TRect TbsPopupListBox::RowsRect() {
  TRect r = InnerRect();
  if (ScrollBarShown()) r.Right = std::max(r.Left, r.Right - FScrollBar->Width());
  r.Bottom = std::min(r.Bottom, r.Top + FRows * RowHeight());
  return r;
}

int TbsPopupListBox::ItemAtPos(TPoint P) {
  const TRect r = RowsRect();
  if (!PtInRect(r, P)) return -1;
  const int i = FTopIndex + (P.Y - r.Top) / RowHeight();
  return i < FItems.Count() ? i : -1;
}

void TbsPopupListBox::UpdateScrollBar() {
  if (!FScrollBar) return;
  const bool shown = ScrollBarShown();
  if (shown) {
    const TRect inner = InnerRect();
    FSyncing = true;
    FScrollBar->SetBounds(inner.Right - FScrollBar->Width(), inner.Top, FScrollBar->Width(),
                          std::max(0, inner.Height()));
    FScrollBar->SetParams(0, FItems.Count() - 1, FRows, FTopIndex);
    FScrollBar->SetLargeChange(FRows);
    FSyncing = false;
  }
  if (FScrollBar->Visible() != shown) FScrollBar->SetVisible(shown);
}

void TbsPopupListBox::BoundsChanged(bool moved, bool sized) {
  TbsSkinCustomControl::BoundsChanged(moved, sized);
  if (sized) UpdateScrollBar();
}

void TbsPopupListBox::CMVisibleChanged(TMessage& Message) {
  TbsSkinCustomControl::CMVisibleChanged(Message);
  if (FVisible) UpdateScrollBar();
}

// ---- skin -------------------------------------------------------------------------------
bool TbsPopupListBox::AcceptsRecord(const TbsDataSkinControl* Record) const {
  return Record->As<TbsDataSkinListBox>() && TbsSkinCustomControl::AcceptsRecord(Record);
}

void TbsPopupListBox::ReadSkinRecord() {
  TbsSkinCustomControl::ReadSkinRecord();
  auto* r = Record<TbsDataSkinListBox>();
  if (!r) return;
  FItemRect = r->itemrect;
  FActiveItemRect = r->activeitemrect;
  FFocusItemRect = r->focusitemrect;
  FItemTextRect = r->itemtextrect;
  FItemLeftOffset = r->itemleftoffset;
  FItemRightOffset = r->itemrightoffset;
  FFontName = r->fontname;
  FFontHeight = r->fontheight;
  FFontStyle = r->fontstyle;
  FFontColor = r->fontcolor;
  FActiveFontColor = r->activefontcolor;
  FFocusFontColor = r->focusfontcolor;
  FVScrollBarName = r->vscrollbarname.empty() ? "vscrollbar" : r->vscrollbarname;
}

void TbsPopupListBox::ApplySkinChange() {
  TbsSkinCustomControl::ApplySkinChange();
  if (FScrollBar->SkinData() != FSD) FScrollBar->SetSkinData(FSD);
  FScrollBar->SetSkinDataName(FIndex != -1 ? FVScrollBarName : "vscrollbar");
  FScrollBar->ApplySkinChange();
  if (FIndex == -1 && FScrollBar->Width() != DefaultScrollWidth)
    FScrollBar->SetBounds(FScrollBar->Left(), FScrollBar->Top(), DefaultScrollWidth, FScrollBar->Height());
  UpdateScrollBar();
}

void TbsPopupListBox::DrawDefaultImage(TBitmap& B) {
  TCanvas* c = B.Canvas();
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = clWindow;
  c->FillRect(Rect(0, 0, B.Width(), B.Height()));
  c->Brush()->Color = clBtnShadow;
  c->FrameRect(Rect(0, 0, B.Width(), B.Height()));
  DrawRows(c, RowsRect(), false);
}

void TbsPopupListBox::DrawSkinImage(TBitmap& B) {
  if (!Picture()) {
    DrawDefaultImage(B);
    return;
  }
  TbsSkinCustomControl::DrawSkinImage(B);
  DrawRows(B.Canvas(), RowsRect(), true);
}

void TbsPopupListBox::DrawRows(TCanvas* C, const TRect& Area, bool Skinned) {
  const int rh = RowHeight();
  if (Area.Width() <= 0 || rh <= 0) return;
  TBitmap row(Area.Width(), rh);
  for (int i = 0; i < FRows; ++i) {
    const int index = FTopIndex + i;
    const int y = Area.Top + i * rh;
    if (y >= Area.Bottom) break;
    if (index >= FItems.Count()) {
      if (!Skinned) {
        C->Brush()->Color = clWindow;
        C->FillRect(Rect(Area.Left, y, Area.Right, std::min(Area.Bottom, y + rh)));
      }
      continue;
    }
    DrawRow(row, index, index == FItemIndex, Skinned);
    C->Draw(Area.Left, y, &row);
  }
}

void TbsPopupListBox::DrawRow(TBitmap& Row, int Index, bool Selected, bool Skinned) {
  TCanvas* c = Row.Canvas();
  const int W = Row.Width(), H = Row.Height();
  const TRect all = Rect(0, 0, W, H);
  TRect text = Rect(2, 0, W - 2, H);
  TBitmap* pic = Skinned ? Picture() : nullptr;
  c->Brush()->Style = TBrushStyle::bsSolid;
  if (pic) {
    TRect src = Selected ? (IsNullRect(FFocusItemRect) ? FActiveItemRect : FFocusItemRect) : FItemRect;
    if (IsNullRect(src)) src = FItemRect;
    TBitmap image;
    BuildHSkinImage(FItemLeftOffset, FItemRightOffset, image, W, src, *pic);
    c->Brush()->Color = clWindow;
    c->FillRect(all);
    c->StretchDraw(all, &image);
    if (!IsNullRect(FItemTextRect))
      text = Rect(FItemTextRect.Left, 0, W - (RectWidth(FItemRect) - FItemTextRect.Right), H);
    c->Font()->SetName(FFontName);
    c->Font()->SetHeight(FFontHeight);
    c->Font()->SetStyle(FFontStyle);
    c->Font()->SetColor(Selected ? (FFocusFontColor ? FFocusFontColor : FActiveFontColor) : FFontColor);
  } else {
    c->Brush()->Color = Selected ? clHighlight : clWindow;
    c->FillRect(all);
    c->Font()->Assign(&FItemFont);
    if (Selected) c->Font()->SetColor(clHighlightText);
  }
  if (FSD && FSD->ResourceStrData()) c->Font()->SetCharset(FSD->ResourceStrData()->CharSet());
  if (OnDrawItem) {
    OnDrawItem(this, c, Index, all, Selected);
  } else {
    if (FImages && FImages->Count() > 0) {
      const int image = FImageIndex >= 0 ? FImageIndex : Index;
      if (image < FImages->Count()) {
        FImages->Draw(c, text.Left, (H - FImages->Height()) / 2, image);
        text.Left += FImages->Width() + 2;
      }
    }
    std::string s = FItems[Index];
    if (text.Width() > 0 && !s.empty()) {
      TrimTextToWidth(c, s, text.Width());
      c->Brush()->Style = TBrushStyle::bsClear;
      c->TextRect(text, text.Left, (H - c->TextHeight(s)) / 2, s);
      c->Brush()->Style = TBrushStyle::bsSolid;
    }
  }
  if (Selected && !pic) DrawFocusRect(c, all);
}
