#include "framework/controls/ListView.h"

#include <algorithm>

#include "framework/controls/CustomEdit.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"

TListView::TListView(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle.Include(csOpaque);
  FWidth = 250;
  FHeight = 150;
  FColor = clWindow;
  FTabStop = true;
  FHeader = new TListHeader(this);
  FHeader->SetParent(this);
  LayoutHeader();
}

TListView::~TListView() {
  // The label edit would commit into a list half gone when its focus goes.
  FEditIndex = -1;
  delete FLabelEdit;
  SetSmallImages(nullptr);
  SetLargeImages(nullptr);
}

void TListView::SetViewStyle(TViewStyle Value) {
  if (Value == FViewStyle) return;
  EndEdit(false);
  FViewStyle = Value;
  FScrollX = FScrollY = 0;
  LayoutHeader();
  Invalidate();
}

void TListView::SetShowColumnHeaders(bool Value) {
  FShowColumnHeaders = Value;
  LayoutHeader();
  Clamp();
  Invalidate();
}

TListColumn& TListView::AddColumn(const std::string& Caption, int Width) {
  FColumns.push_back({Caption, std::max(0, Width), taLeftJustify, -1});
  ColumnsChanged();
  return FColumns.back();
}

void TListView::ClearColumns() {
  FColumns.clear();
  ColumnsChanged();
}

void TListView::SetColumnWidth(int i, int Width) {
  if (i < 0 || i >= ColumnCount()) return;
  FColumns[size_t(i)].Width = std::max(0, Width);
  ColumnsChanged();
}

void TListView::ColumnsChanged() {
  Clamp();
  FHeader->Invalidate();
  Invalidate();
}

// ---- items ------------------------------------------------------------------------------
TListItem& TListView::AddItem(const std::string& Caption) {
  FItems.push_back({Caption, {}, -1, nullptr});
  ResizeSelection();
  Invalidate();
  return FItems.back();
}

void TListView::DeleteItem(int i) {
  if (FOwnerData || i < 0 || i >= ItemCount()) return;
  EndEdit(false);
  FItems.erase(FItems.begin() + i);
  const bool wasSelected = FSel[size_t(i)];
  FSel.erase(FSel.begin() + i);
  if (wasSelected) --FSelCount;
  // Indexes after the deleted item move up by one.
  auto shift = [i](int& v) {
    if (v == i) v = -1;
    else if (v > i) --v;
  };
  shift(FFocused);
  shift(FAnchor);
  Clamp();
  Invalidate();
  if (wasSelected) SelectionChanged();
}

void TListView::ClearItems() {
  const bool hadSelection = FSelCount > 0 || FFocused >= 0;
  EndEdit(false);
  FItems.clear();
  FVirtualCount = 0;
  FSel.clear();
  FSelCount = 0;
  FFocused = FAnchor = -1;
  FScrollX = FScrollY = 0;
  Invalidate();
  if (hadSelection) SelectionChanged();
}

void TListView::SetOwnerData(bool Value) {
  if (Value == FOwnerData) return;
  ClearItems();
  FOwnerData = Value;
}

void TListView::SetItemCount(int Count) {
  if (!FOwnerData) return;
  EndEdit(false);
  FVirtualCount = std::max(0, Count);
  ResizeSelection();
  if (FFocused >= FVirtualCount) FFocused = -1;
  if (FAnchor >= FVirtualCount) FAnchor = -1;
  Clamp();
  Invalidate();
}

TListItem TListView::DisplayItem(int i) const {
  if (i < 0 || i >= ItemCount()) return {};
  if (!FOwnerData) return FItems[size_t(i)];
  TListItem item;
  if (OnData) OnData(const_cast<TListView*>(this), i, item);
  return item;
}

void TListView::ItemsChanged() {
  Clamp();
  Invalidate();
}

void TListView::ResizeSelection() {
  const size_t n = size_t(ItemCount());
  if (FSel.size() > n) {
    for (size_t i = n; i < FSel.size(); ++i)
      if (FSel[i]) --FSelCount;
  }
  FSel.resize(n, 0);
}

// ---- images -----------------------------------------------------------------------------
void TListView::SetSmallImages(TImageList* Value) {
  if (Value == FSmallImages) return;
  if (FSmallImages) RemoveFreeNotification(FSmallImages);
  FSmallImages = Value;
  if (Value) FreeNotification(Value);
  Clamp();
  FHeader->Invalidate();
  Invalidate();
}

void TListView::SetLargeImages(TImageList* Value) {
  if (Value == FLargeImages) return;
  if (FLargeImages) RemoveFreeNotification(FLargeImages);
  FLargeImages = Value;
  if (Value) FreeNotification(Value);
  Invalidate();
}

void TListView::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FSmallImages) {
    FSmallImages = nullptr;
    Clamp();
    Invalidate();
  }
  if (AComponent == FLargeImages) {
    FLargeImages = nullptr;
    Invalidate();
  }
}

// ---- geometry ---------------------------------------------------------------------------
void TListView::LayoutHeader() {
  const bool shown = FViewStyle == vsReport && FShowColumnHeaders;
  FHeader->SetBounds(0, 0, std::max(0, Width()), HeaderHeight);
  FHeader->SetVisible(shown);
}

void TListView::BoundsChanged(bool moved, bool sized) {
  TCustomControl::BoundsChanged(moved, sized);
  if (!sized) return;
  LayoutHeader();
  Clamp();
}

TRect TListView::ItemArea() const {
  TRect r = ClientRect();
  if (FViewStyle == vsReport && FShowColumnHeaders) r.Top = std::min(r.Bottom, r.Top + HeaderHeight);
  return r;
}

int TListView::ItemHeight() const {
  return FSmallImages ? std::max(RowHeight, FSmallImages->Height() + 1) : RowHeight;
}

int TListView::ColumnsWidth() const {
  int w = 0;
  for (const TListColumn& c : FColumns) w += c.Width;
  return w;
}

int TListView::ListRows() const { return std::max(1, ItemArea().Height() / ItemHeight()); }

int TListView::IconColumns() const {
  const int cell = FViewStyle == vsIcon ? IconCellWidth : SmallCellWidth;
  return std::max(1, ItemArea().Width() / cell);
}

int TListView::ItemsPerPage() const {
  const TRect a = ItemArea();
  switch (FViewStyle) {
    case vsReport:
      return std::max(0, a.Height() / ItemHeight());
    case vsList:
      return ListRows() * std::max(1, a.Width() / SmallCellWidth);
    default: {
      const int cellH = FViewStyle == vsIcon ? IconCellHeight : ItemHeight();
      return IconColumns() * std::max(0, a.Height() / cellH);
    }
  }
}

TListScrollInfo TListView::ScrollInfo(bool Vertical) const {
  const TRect a = ItemArea();
  const int n = ItemCount();
  TListScrollInfo s;
  switch (FViewStyle) {
    case vsReport:
      if (Vertical)
        s = {0, std::max(0, n - 1), ItemsPerPage(), TopIndex()};
      else
        s = {0, ColumnsWidth(), a.Width(), FScrollX};
      break;
    case vsList:
      if (!Vertical) {
        const int columns = (n + ListRows() - 1) / ListRows();
        s = {0, std::max(0, columns - 1), a.Width() / SmallCellWidth, FScrollX / SmallCellWidth};
      }
      break;
    default: {
      const TRect content = ContentSize();
      if (Vertical)
        s = {0, content.Bottom, a.Height(), FScrollY};
      else
        s = {0, content.Right, a.Width(), FScrollX};
      break;
    }
  }
  return s;
}

TRect TListView::ContentSize() const {
  const int cols = IconColumns();
  const int cellW = FViewStyle == vsIcon ? IconCellWidth : SmallCellWidth;
  const int cellH = FViewStyle == vsIcon ? IconCellHeight : ItemHeight();
  const int rows = (ItemCount() + cols - 1) / cols;
  return Rect(0, 0, ItemCount() ? std::min(ItemCount(), cols) * cellW : 0, rows * cellH);
}

void TListView::Clamp() {
  const TRect a = ItemArea();
  int maxX = 0, maxY = 0;
  switch (FViewStyle) {
    case vsReport:
      maxX = std::max(0, ColumnsWidth() - a.Width());
      maxY = std::max(0, ItemCount() - ItemsPerPage()) * ItemHeight();
      FScrollY = FScrollY / ItemHeight() * ItemHeight();
      break;
    case vsList: {
      const TListScrollInfo s = ScrollInfo(false);
      maxX = std::max(0, s.Max + 1 - s.Page) * SmallCellWidth;
      break;
    }
    default: {
      const TRect content = ContentSize();
      maxX = std::max(0, content.Right - a.Width());
      maxY = std::max(0, content.Bottom - a.Height());
      break;
    }
  }
  FScrollX = std::clamp(FScrollX, 0, maxX);
  FScrollY = std::clamp(FScrollY, 0, maxY);
}

void TListView::Scroll(int DX, int DY) {
  if (FViewStyle == vsReport) DY = DY / ItemHeight() * ItemHeight();
  if (FViewStyle == vsList) {
    DX = DX / SmallCellWidth * SmallCellWidth;
    DY = 0;
  }
  const int x = FScrollX, y = FScrollY;
  FScrollX += DX;
  FScrollY += DY;
  Clamp();
  if (x == FScrollX && y == FScrollY) return;
  EndEdit(false);
  if (FHeader->Visible() && x != FScrollX) FHeader->Invalidate();
  Invalidate();
  Scrolled();
  if (OnScroll) {
    TNotifyEvent handler = OnScroll;
    handler(this);
  }
}

void TListView::MakeVisible(int i) {
  if (i < 0 || i >= ItemCount()) return;
  const TRect a = ItemArea(), r = ItemRect(i);
  int dx = 0, dy = 0;
  if (r.Top < a.Top)
    dy = r.Top - a.Top;
  else if (r.Bottom > a.Bottom)
    dy = std::min(r.Bottom - a.Bottom, r.Top - a.Top);
  if (FViewStyle != vsReport) {
    if (r.Left < a.Left)
      dx = r.Left - a.Left;
    else if (r.Right > a.Right)
      dx = std::min(r.Right - a.Right, r.Left - a.Left);
  }
  // Whole rows / columns: round away from zero so the item ends up inside.
  if (FViewStyle == vsReport && dy % ItemHeight()) dy += dy > 0 ? ItemHeight() : -ItemHeight();
  if (FViewStyle == vsList && dx % SmallCellWidth) dx += dx > 0 ? SmallCellWidth : -SmallCellWidth;
  Scroll(dx, dy);
}

TRect TListView::ItemRect(int i) const {
  const TRect a = ItemArea();
  const int h = ItemHeight();
  switch (FViewStyle) {
    case vsReport: {
      const int top = a.Top + i * h - FScrollY;
      return Rect(a.Left - FScrollX, top, a.Left - FScrollX + std::max(ColumnsWidth(), a.Width()), top + h);
    }
    case vsList: {
      const int rows = ListRows();
      const int x = a.Left + (i / rows) * SmallCellWidth - FScrollX, y = a.Top + (i % rows) * h;
      return Rect(x, y, x + SmallCellWidth, y + h);
    }
    default: {
      const int cols = IconColumns();
      const int cellW = FViewStyle == vsIcon ? IconCellWidth : SmallCellWidth;
      const int cellH = FViewStyle == vsIcon ? IconCellHeight : h;
      const int x = a.Left + (i % cols) * cellW - FScrollX, y = a.Top + (i / cols) * cellH - FScrollY;
      return Rect(x, y, x + cellW, y + cellH);
    }
  }
}

int TListView::ItemAt(int X, int Y) const {
  const TRect a = ItemArea();
  if (X < a.Left || X >= a.Right || Y < a.Top || Y >= a.Bottom || ItemCount() == 0) return -1;
  const int h = ItemHeight();
  int i = -1;
  switch (FViewStyle) {
    case vsReport:
      if (X + FScrollX >= std::max(ColumnsWidth(), a.Width())) return -1;
      i = (Y - a.Top + FScrollY) / h;
      break;
    case vsList: {
      const int row = (Y - a.Top) / h;
      if (row >= ListRows()) return -1;
      i = (X - a.Left + FScrollX) / SmallCellWidth * ListRows() + row;
      break;
    }
    default: {
      const int cellW = FViewStyle == vsIcon ? IconCellWidth : SmallCellWidth;
      const int cellH = FViewStyle == vsIcon ? IconCellHeight : h;
      const int col = (X - a.Left + FScrollX) / cellW;
      if (col >= IconColumns()) return -1;
      i = (Y - a.Top + FScrollY) / cellH * IconColumns() + col;
      break;
    }
  }
  return i >= 0 && i < ItemCount() ? i : -1;
}

// ---- painting ---------------------------------------------------------------------------
namespace {
// Cuts text to the longest prefix of whole characters that fits width with "..." after it.
void Ellipsize(TCanvas* c, std::string& text, int width) {
  if (text.empty() || c->TextWidth(text) <= width) return;
  std::vector<size_t> cuts;  // byte offsets where a character starts
  for (size_t i = 0; i < text.size(); ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) cuts.push_back(i);
  // Prefix of k characters; the whole text (k = cuts.size()) is known not to fit.
  auto prefix = [&](size_t k) { return text.substr(0, k < cuts.size() ? cuts[k] : text.size()); };
  size_t lo = 0, hi = cuts.size() - 1;
  while (lo < hi) {
    const size_t mid = (lo + hi + 1) / 2;
    if (c->TextWidth(prefix(mid) + "...") <= width)
      lo = mid;
    else
      hi = mid - 1;
  }
  text = prefix(lo) + "...";
}
}  // namespace

void TListView::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = FColor;
  c->FillRect(ClientRect());
  c->Font()->Assign(&FFont);
  const TRect a = ItemArea();
  const int n = ItemCount();
  if (n == 0 || a.Width() <= 0 || a.Height() <= 0) return;
  const int th = c->TextHeight("Wg");
  const bool showSelection = Focused() || !FHideSelection;
  // Only the items that can be in view: a long list costs what a page costs.
  int first = 0, last = n - 1;
  if (FViewStyle == vsReport) {
    first = FScrollY / ItemHeight();
    last = std::min(n - 1, first + a.Height() / ItemHeight() + 1);
  } else if (FViewStyle == vsList) {
    first = std::max(0, FScrollX / SmallCellWidth * ListRows());
    last = std::min(n - 1, first + (a.Width() / SmallCellWidth + 2) * ListRows());
  } else {
    const int cellH = FViewStyle == vsIcon ? IconCellHeight : ItemHeight();
    first = FScrollY / cellH * IconColumns();
    last = std::min(n - 1, first + (a.Height() / cellH + 2) * IconColumns());
  }
  for (int i = first; i <= last; ++i) PaintItem(c, i, a, th, showSelection);
  c->Brush()->Style = TBrushStyle::bsSolid;
}

void TListView::PaintItem(TCanvas* c, int i, const TRect& a, int th, bool showSelection) {
  const TRect r = ItemRect(i);
  if (r.Bottom <= a.Top || r.Top >= a.Bottom || r.Right <= a.Left || r.Left >= a.Right) return;
  const TListItem item = DisplayItem(i);
  const bool selected = showSelection && IsSelected(i);
  const TColor textColor = FFont.Color();
  // The caption's label: highlighted when selected, in the highlight text colour.
  auto label = [&](TRect cell, int x, int y, std::string text) {
    Ellipsize(c, text, cell.Right - x);
    TRect clip = cell;
    clip.Top = std::max(clip.Top, a.Top);
    if (selected) {
      TRect hl = Rect(x - 1, cell.Top + 1, std::min(cell.Right, x + c->TextWidth(text) + 2), cell.Bottom - 1);
      hl.Top = std::max(hl.Top, a.Top);
      c->Brush()->Style = TBrushStyle::bsSolid;
      c->Brush()->Color = clHighlight;
      if (hl.Right > hl.Left && hl.Bottom > hl.Top) c->FillRect(hl);
      c->Font()->SetColor(clHighlightText);
    }
    c->Brush()->Style = TBrushStyle::bsClear;
    c->TextRect(clip, x, y, text);
    c->Font()->SetColor(textColor);
  };
  if (FViewStyle == vsIcon) {
    int textTop = r.Bottom - th - 2;
    if (FLargeImages && item.ImageIndex >= 0) {
      const int iy = r.Top + std::max(2, (textTop - r.Top - FLargeImages->Height()) / 2);
      FLargeImages->Draw(c, r.Left + (r.Width() - FLargeImages->Width()) / 2, iy, item.ImageIndex);
    }
    std::string caption = item.Caption;
    const int w = c->TextWidth(caption);
    label(r, r.Left + std::max(2, (r.Width() - w) / 2), textTop, caption);
    return;
  }
  const int y = r.Top + (r.Height() - th) / 2;
  int x = r.Left + 2;
  const int firstRight = FViewStyle == vsReport && !FColumns.empty() ? r.Left + FColumns[0].Width : r.Right;
  if (FSmallImages) {
    if (item.ImageIndex >= 0 && x < firstRight) {
      const int saved = c->SaveState();
      c->IntersectClipRect(Rect(r.Left, std::max(r.Top, a.Top), firstRight, r.Bottom));
      FSmallImages->Draw(c, x, r.Top + (r.Height() - FSmallImages->Height()) / 2, item.ImageIndex);
      c->RestoreState(saved);
    }
    x += FSmallImages->Width() + 2;
  }
  if (FViewStyle != vsReport || FColumns.empty()) {
    label(Rect(r.Left, r.Top, r.Right, r.Bottom), x, y, item.Caption);
    return;
  }
  int left = r.Left;
  for (int col = 0; col < ColumnCount(); ++col) {
    const TListColumn& column = FColumns[size_t(col)];
    const TRect cell = Rect(left, r.Top, left + column.Width, r.Bottom);
    left = cell.Right;
    if (cell.Right <= a.Left || cell.Left >= a.Right) continue;
    if (col == 0) {
      label(Rect(cell.Left, cell.Top, cell.Right - 2, cell.Bottom), x, y, item.Caption);
      continue;
    }
    std::string text = size_t(col - 1) < item.SubItems.size() ? item.SubItems[size_t(col - 1)] : "";
    TRect clip = Rect(cell.Left + 2, std::max(cell.Top, a.Top), cell.Right - 2, cell.Bottom);
    Ellipsize(c, text, clip.Width());
    int tx = clip.Left;
    if (column.Alignment != taLeftJustify) {
      const int w = c->TextWidth(text);
      tx = column.Alignment == taRightJustify ? clip.Right - w : clip.Left + (clip.Width() - w) / 2;
    }
    c->Brush()->Style = TBrushStyle::bsClear;
    c->TextRect(clip, tx, y, text);
  }
}
