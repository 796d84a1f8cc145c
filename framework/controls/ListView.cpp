#include "framework/controls/ListView.h"

#include <algorithm>

#include "framework/graphics/Canvas.h"

// ---- header -----------------------------------------------------------------------------
TListHeader::TListHeader(TListView* AList) : TCustomControl(AList), FList(AList) {
  FControlStyle.Include(csOpaque);
}

TRect TListHeader::SectionRect(int i) const {
  int x = -FList->ScrollX();
  for (int c = 0; c < i; ++c) x += FList->Column(c).Width;
  return Rect(x, 0, x + FList->Column(i).Width, Height());
}

void TListHeader::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = clBtnFace;
  c->FillRect(ClientRect());
  c->Font()->Assign(FList->Font());
  c->Font()->SetColor(clBtnText);
  for (int i = 0; i < FList->ColumnCount(); ++i) {
    TRect r = SectionRect(i);
    if (r.Right <= 0 || r.Left >= Width()) continue;
    const TRect section = r;
    Frame3D(c, r, clBtnShadow, clBtnShadow, 1);
    const TRect text = Rect(section.Left + 5, section.Top, section.Right - 5, section.Bottom);
    c->Brush()->Style = TBrushStyle::bsClear;
    c->TextRect(text, text.Left, (Height() - c->TextHeight("Wg")) / 2, FList->Column(i).Caption);
    c->Brush()->Style = TBrushStyle::bsSolid;
  }
}

// ---- list -------------------------------------------------------------------------------
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

TListView::~TListView() = default;

void TListView::SetViewStyle(TViewStyle Value) {
  if (Value == FViewStyle) return;
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
  FColumns.push_back({Caption, std::max(0, Width), taLeftJustify});
  ColumnsChanged();
  return FColumns.back();
}

void TListView::ColumnsChanged() {
  Clamp();
  FHeader->Invalidate();
  Invalidate();
}

TListItem& TListView::AddItem(const std::string& Caption) {
  FItems.push_back({Caption, {}});
  Invalidate();
  return FItems.back();
}

void TListView::DeleteItem(int i) {
  if (i < 0 || i >= ItemCount()) return;
  FItems.erase(FItems.begin() + i);
  Clamp();
  Invalidate();
}

void TListView::ClearItems() {
  FItems.clear();
  FScrollX = FScrollY = 0;
  Invalidate();
}

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

// ---- geometry ---------------------------------------------------------------------------
TRect TListView::ItemArea() const {
  TRect r = ClientRect();
  if (FViewStyle == vsReport && FShowColumnHeaders) r.Top = std::min(r.Bottom, r.Top + HeaderHeight);
  return r;
}

int TListView::ColumnsWidth() const {
  int w = 0;
  for (const TListColumn& c : FColumns) w += c.Width;
  return w;
}

int TListView::ListRows() const { return std::max(1, ItemArea().Height() / RowHeight); }

int TListView::IconColumns() const {
  const int cell = FViewStyle == vsIcon ? IconCellWidth : SmallCellWidth;
  return std::max(1, ItemArea().Width() / cell);
}

int TListView::ItemsPerPage() const {
  const TRect a = ItemArea();
  switch (FViewStyle) {
    case vsReport:
      return std::max(0, a.Height() / RowHeight);
    case vsList:
      return ListRows() * std::max(1, a.Width() / SmallCellWidth);
    default: {
      const int cellH = FViewStyle == vsIcon ? IconCellHeight : RowHeight;
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
  const int cellH = FViewStyle == vsIcon ? IconCellHeight : RowHeight;
  const int rows = (ItemCount() + cols - 1) / cols;
  return Rect(0, 0, ItemCount() ? std::min(ItemCount(), cols) * cellW : 0, rows * cellH);
}

void TListView::Clamp() {
  const TRect a = ItemArea();
  int maxX = 0, maxY = 0;
  switch (FViewStyle) {
    case vsReport:
      maxX = std::max(0, ColumnsWidth() - a.Width());
      maxY = std::max(0, ItemCount() - ItemsPerPage()) * RowHeight;
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
  if (FViewStyle == vsReport) DY = DY / RowHeight * RowHeight;
  if (FViewStyle == vsList) {
    DX = DX / SmallCellWidth * SmallCellWidth;
    DY = 0;
  }
  const int x = FScrollX, y = FScrollY;
  FScrollX += DX;
  FScrollY += DY;
  Clamp();
  if (x == FScrollX && y == FScrollY) return;
  if (FHeader->Visible()) FHeader->Invalidate();
  Invalidate();
  if (OnScroll) {
    TNotifyEvent handler = OnScroll;
    handler(this);
  }
}

TRect TListView::ItemRect(int i) const {
  const TRect a = ItemArea();
  switch (FViewStyle) {
    case vsReport: {
      const int top = a.Top + i * RowHeight - FScrollY;
      return Rect(a.Left - FScrollX, top, a.Left - FScrollX + std::max(ColumnsWidth(), a.Width()), top + RowHeight);
    }
    case vsList: {
      const int rows = ListRows();
      const int x = a.Left + (i / rows) * SmallCellWidth - FScrollX, y = a.Top + (i % rows) * RowHeight;
      return Rect(x, y, x + SmallCellWidth, y + RowHeight);
    }
    default: {
      const int cols = IconColumns();
      const int cellW = FViewStyle == vsIcon ? IconCellWidth : SmallCellWidth;
      const int cellH = FViewStyle == vsIcon ? IconCellHeight : RowHeight;
      const int x = a.Left + (i % cols) * cellW - FScrollX, y = a.Top + (i / cols) * cellH - FScrollY;
      return Rect(x, y, x + cellW, y + cellH);
    }
  }
}

// ---- painting ---------------------------------------------------------------------------
void TListView::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = FColor;
  c->FillRect(ClientRect());
  c->Font()->Assign(&FFont);
  c->Brush()->Style = TBrushStyle::bsClear;
  const TRect a = ItemArea();
  const int th = c->TextHeight("Wg");
  for (int i = 0; i < ItemCount(); ++i) {
    const TRect r = ItemRect(i);
    if (r.Bottom <= a.Top || r.Top >= a.Bottom || r.Right <= a.Left || r.Left >= a.Right) continue;
    const TListItem& item = FItems[size_t(i)];
    if (FViewStyle == vsIcon) {
      // The caption centred under the place of the icon.
      const int w = c->TextWidth(item.Caption);
      c->TextRect(r, r.Left + std::max(2, (r.Width() - w) / 2), r.Bottom - th - 2, item.Caption);
      continue;
    }
    const int y = r.Top + (r.Height() - th) / 2;
    if (FViewStyle != vsReport || FColumns.empty()) {
      c->TextRect(r, r.Left + 2, y, item.Caption);
      continue;
    }
    int x = r.Left;
    for (int col = 0; col < ColumnCount(); ++col) {
      const TRect cell = Rect(x, r.Top, x + FColumns[size_t(col)].Width, r.Bottom);
      const std::string& text =
          col == 0 ? item.Caption : (size_t(col - 1) < item.SubItems.size() ? item.SubItems[size_t(col - 1)] : "");
      TRect clip = cell;
      clip.Top = std::max(clip.Top, a.Top);
      c->TextRect(clip, cell.Left + 2, y, text);
      x = cell.Right;
    }
  }
  c->Brush()->Style = TBrushStyle::bsSolid;
}
