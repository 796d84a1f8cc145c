#pragma once
// The list view, drawn by the framework itself: items with sub-items and images in four
// view styles, a column header child in the report view, single or multiple selection
// with a focused item, and scroll information kept for whoever shows the bars (the list
// shows none of its own). Scrolling moves by pixels in the icon views, by whole rows in
// the report view and by whole columns in the list view.
//
// With OwnerData the list keeps no items: it has ItemCount rows and asks OnData for a
// row's caption, image and sub-items whenever it needs them.
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/TextAlignment.h"
#include "framework/windows/Controls.h"

class TImageList;
class TCustomEdit;
class TTimer;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

struct TListColumn {
  std::string Caption;
  int Width = 50;
  TAlignment Alignment = taLeftJustify;
  int ImageIndex = -1;  // in the list's small images, shown in the header section
};

struct TListItem {
  std::string Caption;
  std::vector<std::string> SubItems;
  int ImageIndex = -1;
  void* Data = nullptr;
};

// What a scroll bar for one direction would show: the range, the visible part of it
// and the first visible value.
struct TListScrollInfo {
  int Min = 0, Max = 0, Page = 0, Pos = 0;
};

class TListView;

// The report view's column header: one section per column, moved with the list's
// horizontal scroll. A press on a section holds it down until the button is released
// (a release over it reports a column click); a press on a divider drags the width of
// the column to its left instead.
class TListHeader : public TCustomControl {
 public:
  explicit TListHeader(TListView* AList);
  std::string ClassName() const override { return "TListHeader"; }
  // Pixels either side of a section's right edge that count as its divider.
  static constexpr int DividerSlop = 3;

  // The section of column i in header coordinates.
  TRect SectionRect(int i) const;
  // The column whose section holds x (-1 none).
  int SectionAt(int X) const;
  // The column whose right edge (divider) is within DividerSlop of x (-1 none); the
  // rightmost matching divider wins, so a zero-width column can be widened again.
  int DividerAt(int X) const;
  // The section held down by the left button (-1 none) and whether it shows pressed.
  int PressedSection() const { return FPressed; }
  bool SectionDown() const { return FDown; }
  // The column whose divider is being dragged (-1 none).
  int SizingColumn() const { return FSizing; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  TListView* FList;
  int FPressed = -1;
  bool FDown = false;
  int FSizing = -1;
  int FSizingGrab = 0;  // pointer minus the column's width at the press
};

class TListView : public TCustomControl {
 public:
  explicit TListView(TComponent* AOwner);
  ~TListView() override;
  std::string ClassName() const override { return "TListView"; }

  // Cell sizes of the views (rows grow with taller small images, see ItemHeight).
  static constexpr int RowHeight = 17;
  static constexpr int HeaderHeight = 19;
  static constexpr int IconCellWidth = 75, IconCellHeight = 60;
  static constexpr int SmallCellWidth = 120;

  TViewStyle ViewStyle() const { return FViewStyle; }
  virtual void SetViewStyle(TViewStyle Value);
  bool ShowColumnHeaders() const { return FShowColumnHeaders; }
  void SetShowColumnHeaders(bool Value);

  int ColumnCount() const { return int(FColumns.size()); }
  TListColumn& Column(int i) { return FColumns.at(size_t(i)); }
  const TListColumn& Column(int i) const { return FColumns.at(size_t(i)); }
  TListColumn& AddColumn(const std::string& Caption, int Width);
  void ClearColumns();
  void SetColumnWidth(int i, int Width);
  void ColumnsChanged();

  // Items. With OwnerData, Item() and AddItem() are not used: SetItemCount sets the rows
  // and DisplayItem asks OnData.
  int ItemCount() const { return FOwnerData ? FVirtualCount : int(FItems.size()); }
  TListItem& Item(int i) { return FItems.at(size_t(i)); }
  TListItem& AddItem(const std::string& Caption);
  void DeleteItem(int i);
  void ClearItems();
  bool OwnerData() const { return FOwnerData; }
  void SetOwnerData(bool Value);
  void SetItemCount(int Count);
  // The row as it is drawn: the stored item, or what OnData fills in.
  TListItem DisplayItem(int i) const;
  // Items changed outside AddItem/DeleteItem (captions edited, data reloaded).
  void ItemsChanged();

  // Selection. Without MultiSelect at most one item is selected. The focused item is
  // where the keys move from (-1 none).
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  // A focused list always shows its selection; an unfocused one only when this is off.
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool IsSelected(int i) const { return i >= 0 && size_t(i) < FSel.size() && FSel[size_t(i)]; }
  void SetSelected(int i, bool Value);
  int SelCount() const { return FSelCount; }
  // The first selected item (-1 none); setting selects only that one, focuses it and
  // brings it into view (-1 clears the selection).
  int ItemIndex() const;
  void SetItemIndex(int i);
  int ItemFocused() const { return FFocused; }
  void SetItemFocused(int i);
  void ClearSelection();
  void SelectAll();
  // Scrolls the least needed to show item i completely.
  void MakeVisible(int i);
  // The item at a client point (-1 none).
  int ItemAt(int X, int Y) const;
  // The first item from StartIndex on (after it unless Inclusive, wrapping past the end
  // to the start when Wrap) whose caption begins with Value (Partial) or equals it,
  // without regard to case (Unicode case folding); -1 none. With OwnerData, OnDataFind answers.
  virtual int FindCaption(int StartIndex, const std::string& Value, bool Partial, bool Inclusive, bool Wrap) const;
  // Typed characters search the captions: a pause longer than this (milliseconds)
  // starts a new search.
  int SearchTimeout() const { return FSearchTimeout; }
  void SetSearchTimeout(int Value) { FSearchTimeout = Value < 0 ? 0 : Value; }

  // Label editing: F2 or a second, slow click on the focused item edits its caption in
  // place; Enter or the focus leaving the edit commits, Escape cancels. While a label is
  // edited the edit owns Enter and Escape, so they reach no default or cancel button.
  // ReadOnly turns label editing off.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // Starts editing item i's caption; false when the item may not be edited.
  bool EditCaption(int i);
  bool IsEditing() const { return FEditIndex >= 0; }
  int EditingIndex() const { return FEditIndex; }
  // The edit over the caption while a label is edited, else nullptr.
  TWinControl* LabelEdit() const;
  // Ends the label edit: with Accept the text is committed (Edited), else dropped.
  void EndEdit(bool Accept);

  // Small images: report, list and small-icon views and header sections; large images:
  // the icon view. Not owned; cleared when they go away.
  TImageList* SmallImages() const { return FSmallImages; }
  void SetSmallImages(TImageList* Value);
  TImageList* LargeImages() const { return FLargeImages; }
  void SetLargeImages(TImageList* Value);

  // The header child (report view with column headers; hidden otherwise).
  TListHeader* Header() const { return FHeader; }
  // The area the items are drawn in (below the header when it shows).
  TRect ItemArea() const;
  // Height of a row in the report, list and small-icon views.
  int ItemHeight() const;
  // Rows (report), items (list), or cells (icon views) that fit completely.
  int ItemsPerPage() const;
  TListScrollInfo ScrollInfo(bool Vertical) const;
  // Scrolls by pixels; the report view keeps whole rows vertically and the list view
  // whole columns horizontally. The result stays in the range.
  void Scroll(int DX, int DY);
  int TopIndex() const { return FViewStyle == vsReport ? FScrollY / ItemHeight() : 0; }
  int ScrollX() const { return FScrollX; }
  int ScrollY() const { return FScrollY; }
  // Rows per wheel notch (pixels of as many rows in the icon views).
  int WheelLines() const { return FWheelLines; }
  void SetWheelLines(int Value) { FWheelLines = Value < 1 ? 1 : Value; }
  // The item's rectangle in client coordinates for the current scroll.
  TRect ItemRect(int i) const;

  // The header's look; descendants that draw it themselves override this.
  virtual void PaintHeader(TCanvas* Canvas);

  void Notification(TComponent* AComponent, TOperation Operation) override;

  TNotifyEvent OnScroll;
  // Selection or focus changed.
  TNotifyEvent OnChange;
  std::function<void(TObject* Sender, int Index, bool Selected)> OnSelectItem;
  std::function<void(TObject* Sender, int Column)> OnColumnClick;
  std::function<void(TObject* Sender, int Column)> OnColumnResize;
  // Owner data: fill Item for row Index.
  std::function<void(TObject* Sender, int Index, TListItem& Item)> OnData;
  // Owner data: the row FindCaption asks for (-1 none).
  std::function<int(TObject* Sender, const std::string& Value, int StartIndex, bool Partial, bool Wrap)> OnDataFind;
  // Asked before a label edit starts; clearing AllowEdit refuses it.
  std::function<void(TObject* Sender, int Index, bool& AllowEdit)> OnEditing;
  // A committed label edit; the handler may change S (the new caption).
  std::function<void(TObject* Sender, int Index, std::string& S)> OnEdited;

 protected:
  void Paint() override;
  void BoundsChanged(bool moved, bool sized) override;
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  void DoEnter() override;
  void DoExit() override;
  // After every scroll that moved the view (before OnScroll).
  virtual void Scrolled() {}
  // After the column header was pressed or released, or a divider dragged.
  virtual void HeaderChanged() {}
  // Whether item i's caption may be edited (OnEditing asked).
  virtual bool CanEdit(int Index);
  // A committed label edit with its new text: OnEdited, then an item of the list's
  // own takes the text as its caption. A descendant that raises keeps the old caption.
  virtual void Edited(int Index, std::string& S);
  friend class TListHeader;

 private:
  int ColumnsWidth() const;
  int ListRows() const;
  int IconColumns() const;
  TRect ContentSize() const;
  void Clamp();
  void LayoutHeader();
  void ResizeSelection();
  // Moves the focus to i: plain keys/clicks select only it, Shift selects the range
  // from the anchor, Ctrl moves the focus alone.
  void MoveFocus(int i, TShiftState Shift, bool Keyboard);
  void SelectRange(int From, int To);
  void SelectionChanged();
  void PaintItem(TCanvas* c, int i, const TRect& area, int textHeight, bool showSelection);
  // Where the caption of item i is edited, in client coordinates.
  TRect LabelRect(int i) const;
  void SlowClickTimer();

  TViewStyle FViewStyle = vsIcon;
  bool FShowColumnHeaders = true;
  std::vector<TListColumn> FColumns;
  std::vector<TListItem> FItems;
  bool FOwnerData = false;
  int FVirtualCount = 0;
  std::vector<char> FSel;
  int FSelCount = 0;
  int FFocused = -1;
  int FAnchor = -1;
  bool FMultiSelect = false;
  bool FHideSelection = true;
  TImageList* FSmallImages = nullptr;
  TImageList* FLargeImages = nullptr;
  TListHeader* FHeader = nullptr;
  // Pixels in the icon views and the report view; the list view's X counts pixels of
  // whole columns.
  int FScrollX = 0, FScrollY = 0;
  int FWheelLines = 3;
  int FWheelRest = 0;
  int FSearchTimeout = 1000;
  std::string FSearchText;
  std::chrono::steady_clock::time_point FSearchTime;
  bool FReadOnly = false;
  int FEditIndex = -1;
  TCustomEdit* FLabelEdit = nullptr;
  // A press on the item that was already the focused, only selected one arms the slow
  // click; its release starts the wait, a double click disarms it.
  int FSlowClickItem = -1;
  TTimer* FSlowClickTimer = nullptr;
};
