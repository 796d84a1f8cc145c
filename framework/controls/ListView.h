#pragma once
// The list view, drawn by the framework itself: items with sub-items in four view
// styles, a column header child in the report view, and scroll information kept for
// whoever shows the bars (the list shows none of its own). Scrolling moves by pixels in
// the icon views, by whole rows in the report view and by whole columns in the list view.
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/TextAlignment.h"
#include "framework/windows/Controls.h"

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

struct TListColumn {
  std::string Caption;
  int Width = 50;
  TAlignment Alignment = taLeftJustify;
};

struct TListItem {
  std::string Caption;
  std::vector<std::string> SubItems;
};

// What a scroll bar for one direction would show: the range, the visible part of it
// and the first visible value.
struct TListScrollInfo {
  int Min = 0, Max = 0, Page = 0, Pos = 0;
};

class TListView;

// The report view's column header: one section per column, moved with the list's
// horizontal scroll.
class TListHeader : public TCustomControl {
 public:
  TListHeader(TListView* AList);
  std::string ClassName() const override { return "TListHeader"; }
  // The section of column i in header coordinates.
  TRect SectionRect(int i) const;

 protected:
  void Paint() override;

 private:
  TListView* FList;
};

class TListView : public TCustomControl {
 public:
  explicit TListView(TComponent* AOwner);
  ~TListView() override;
  std::string ClassName() const override { return "TListView"; }

  // Cell sizes of the views.
  static constexpr int RowHeight = 17;
  static constexpr int HeaderHeight = 19;
  static constexpr int IconCellWidth = 75, IconCellHeight = 60;
  static constexpr int SmallCellWidth = 120;

  TViewStyle ViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle Value);
  bool ShowColumnHeaders() const { return FShowColumnHeaders; }
  void SetShowColumnHeaders(bool Value);

  int ColumnCount() const { return int(FColumns.size()); }
  TListColumn& Column(int i) { return FColumns.at(size_t(i)); }
  const TListColumn& Column(int i) const { return FColumns.at(size_t(i)); }
  TListColumn& AddColumn(const std::string& Caption, int Width);
  void ColumnsChanged();

  int ItemCount() const { return int(FItems.size()); }
  TListItem& Item(int i) { return FItems.at(size_t(i)); }
  TListItem& AddItem(const std::string& Caption);
  void DeleteItem(int i);
  void ClearItems();

  // The header child (report view with column headers; hidden otherwise).
  TListHeader* Header() const { return FHeader; }
  // The area the items are drawn in (below the header when it shows).
  TRect ItemArea() const;
  // Rows (report, list: per column), or cells (icon views) that fit completely.
  int ItemsPerPage() const;
  TListScrollInfo ScrollInfo(bool Vertical) const;
  // Scrolls by pixels; the report view keeps whole rows vertically and the list view
  // whole columns horizontally. The result stays in the range.
  void Scroll(int DX, int DY);
  int TopIndex() const { return FViewStyle == vsReport ? FScrollY / RowHeight : 0; }
  int ScrollX() const { return FScrollX; }
  int ScrollY() const { return FScrollY; }
  // The item's rectangle in client coordinates for the current scroll.
  TRect ItemRect(int i) const;

  TNotifyEvent OnScroll;

 protected:
  void Paint() override;
  void BoundsChanged(bool moved, bool sized) override;

 private:
  int ColumnsWidth() const;
  int ListRows() const;
  int IconColumns() const;
  TRect ContentSize() const;
  void Clamp();
  void LayoutHeader();

  TViewStyle FViewStyle = vsIcon;
  bool FShowColumnHeaders = true;
  std::vector<TListColumn> FColumns;
  std::vector<TListItem> FItems;
  TListHeader* FHeader = nullptr;
  // Pixels in the icon views and the report view; the list view's X counts pixels of
  // whole columns.
  int FScrollX = 0, FScrollY = 0;
};
