// The list view's selection and input: the focused item, single and multiple
// selection, the navigation keys, mouse clicks and the wheel.
#include <algorithm>

#include "framework/controls/ListView.h"
#include "framework/core/SysUtils.h"
#include "framework/windows/Timers.h"

void TListView::SetMultiSelect(bool Value) {
  if (Value == FMultiSelect) return;
  FMultiSelect = Value;
  if (Value || FSelCount <= 1) return;
  // Only one may stay: the focused item when it is selected, else the first.
  const int keep = IsSelected(FFocused) ? FFocused : ItemIndex();
  for (int i = 0; i < ItemCount(); ++i)
    if (i != keep && FSel[size_t(i)]) {
      FSel[size_t(i)] = 0;
      --FSelCount;
      if (OnSelectItem) OnSelectItem(this, i, false);
    }
  SelectionChanged();
}

void TListView::SetHideSelection(bool Value) {
  if (Value == FHideSelection) return;
  FHideSelection = Value;
  Invalidate();
}

int TListView::ItemIndex() const {
  if (FSelCount == 0) return -1;
  auto it = std::find(FSel.begin(), FSel.end(), char(1));
  return it == FSel.end() ? -1 : int(it - FSel.begin());
}

void TListView::SelectionChanged() {
  Invalidate();
  if (OnChange) {
    TNotifyEvent handler = OnChange;
    handler(this);
  }
}

void TListView::SetSelected(int i, bool Value) {
  if (i < 0 || i >= ItemCount() || IsSelected(i) == Value) return;
  if (Value && !FMultiSelect && FSelCount > 0) {
    const int old = ItemIndex();
    FSel[size_t(old)] = 0;
    --FSelCount;
    if (OnSelectItem) OnSelectItem(this, old, false);
  }
  FSel[size_t(i)] = Value ? 1 : 0;
  FSelCount += Value ? 1 : -1;
  if (OnSelectItem) OnSelectItem(this, i, Value);
  SelectionChanged();
}

void TListView::ClearSelection() {
  if (FSelCount == 0) return;
  for (int i = 0; i < ItemCount() && FSelCount > 0; ++i)
    if (FSel[size_t(i)]) {
      FSel[size_t(i)] = 0;
      --FSelCount;
      if (OnSelectItem) OnSelectItem(this, i, false);
    }
  SelectionChanged();
}

void TListView::SelectAll() {
  if (!FMultiSelect) return;
  bool changed = false;
  for (int i = 0; i < ItemCount(); ++i)
    if (!FSel[size_t(i)]) {
      FSel[size_t(i)] = 1;
      ++FSelCount;
      changed = true;
      if (OnSelectItem) OnSelectItem(this, i, true);
    }
  if (changed) SelectionChanged();
}

void TListView::SetItemIndex(int i) {
  if (i < 0 || i >= ItemCount()) {
    ClearSelection();
    return;
  }
  MoveFocus(i, {}, true);
}

void TListView::SetItemFocused(int i) {
  if (i < -1 || i >= ItemCount() || i == FFocused) return;
  FFocused = i;
  SelectionChanged();
}

void TListView::SelectRange(int From, int To) {
  if (From > To) std::swap(From, To);
  for (int i = 0; i < ItemCount(); ++i) {
    const bool want = i >= From && i <= To;
    if (bool(FSel[size_t(i)]) == want) continue;
    FSel[size_t(i)] = want ? 1 : 0;
    FSelCount += want ? 1 : -1;
    if (OnSelectItem) OnSelectItem(this, i, want);
  }
}

void TListView::MoveFocus(int i, TShiftState Shift, bool Keyboard) {
  const int n = ItemCount();
  if (n == 0) return;
  i = std::clamp(i, 0, n - 1);
  const bool ctrl = FMultiSelect && Shift.Contains(ssCtrl);
  const bool shift = FMultiSelect && Shift.Contains(ssShift) && FAnchor >= 0;
  if (shift) {
    SelectRange(FAnchor, i);
  } else if (ctrl) {
    // Keys move the focus alone; a click toggles the item.
    if (!Keyboard) {
      FSel[size_t(i)] ^= 1;
      FSelCount += FSel[size_t(i)] ? 1 : -1;
      if (OnSelectItem) OnSelectItem(this, i, FSel[size_t(i)]);
    }
    FAnchor = i;
  } else {
    SelectRange(i, i);
    FAnchor = i;
  }
  FFocused = i;
  MakeVisible(i);
  SelectionChanged();
}

// ---- input ------------------------------------------------------------------------------
void TListView::WndProc(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    return;
  }
  TCustomControl::WndProc(Message);
}

void TListView::DoEnter() {
  TCustomControl::DoEnter();
  Invalidate();
}

void TListView::DoExit() {
  TCustomControl::DoExit();
  Invalidate();
}

void TListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const auto alive = Lifetime();
  // A plain press on the item that already was the focused and only selected one of a
  // focused list may begin a slow second click (label editing); a double click is none.
  const int i = ItemAt(X, Y);
  const bool again = Button == mbLeft && i >= 0 && i == FFocused && IsSelected(i) && FSelCount == 1 &&
                     Focused() && !Shift.Contains(ssDouble) && !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl);
  FSlowClickItem = again ? i : -1;
  if (FSlowClickTimer) FSlowClickTimer->SetEnabled(false);
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (alive.expired()) return;
  if (CanFocus() && !Focused()) SetFocus();
  if (Button == mbLeft) {
    if (i >= 0)
      MoveFocus(i, Shift, false);
    else if (!Shift.Contains(ssCtrl) && !Shift.Contains(ssShift))
      ClearSelection();
  } else if (Button == mbRight && i >= 0 && !IsSelected(i)) {
    MoveFocus(i, {}, false);
  }
}

bool TListView::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  // Turns of less than a line add up until they make one.
  FWheelRest += WheelDelta;
  const int lines = FWheelRest * FWheelLines / 120;
  if (lines == 0) return true;
  FWheelRest -= lines * 120 / FWheelLines;
  switch (FViewStyle) {
    case vsList:
      Scroll(-lines * SmallCellWidth, 0);
      break;
    case vsIcon:
      Scroll(0, -lines * IconCellHeight);
      break;
    default:
      Scroll(0, -lines * ItemHeight());
      break;
  }
  return true;
}

void TListView::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  const int n = ItemCount();
  if (Key == 0 || n == 0) return;
  const int cur = FFocused;
  const int cols = FViewStyle == vsIcon || FViewStyle == vsSmallIcon ? IconColumns() : 1;
  const int rows = FViewStyle == vsList ? ListRows() : 1;
  const int page = std::max(1, ItemsPerPage());
  int target = -2;
  switch (Key) {
    case VK_UP:
      target = cur < 0 ? 0 : cur - cols;
      break;
    case VK_DOWN:
      target = cur < 0 ? 0 : cur + cols;
      break;
    case VK_LEFT:
      if (FViewStyle == vsReport) {
        Scroll(-8, 0);
        Key = 0;
        return;
      }
      target = cur < 0 ? 0 : cur - rows;
      break;
    case VK_RIGHT:
      if (FViewStyle == vsReport) {
        Scroll(8, 0);
        Key = 0;
        return;
      }
      target = cur < 0 ? 0 : cur + rows;
      break;
    case VK_HOME:
      target = 0;
      break;
    case VK_END:
      target = n - 1;
      break;
    case VK_PRIOR:
      if (FViewStyle == vsReport) {
        // First to the top of the page, then a page up.
        const int top = TopIndex();
        target = cur > top ? top : cur - std::max(1, page - 1);
      } else {
        target = cur - page;
      }
      break;
    case VK_NEXT:
      if (FViewStyle == vsReport) {
        const int bottom = std::min(n - 1, TopIndex() + page - 1);
        target = cur < bottom && cur >= TopIndex() ? bottom : cur + std::max(1, page - 1);
      } else {
        target = cur + page;
      }
      break;
    case VK_F2:
      if (!Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt) && !Shift.Contains(ssShift) && IsSelected(cur) &&
          EditCaption(cur))
        Key = 0;
      return;
    case VK_SPACE:
      if (Shift.Contains(ssCtrl) && FMultiSelect && cur >= 0) {
        SetSelected(cur, !IsSelected(cur));
        FAnchor = cur;
        Key = 0;
      }
      return;
    default:
      return;
  }
  // An arrow step off the items stays where it is; pages stop at the ends.
  const bool arrow = Key == VK_UP || Key == VK_DOWN || Key == VK_LEFT || Key == VK_RIGHT;
  if (arrow && cur >= 0 && (target < 0 || target >= n)) target = cur;
  MoveFocus(std::clamp(target, 0, n - 1), Shift, true);
  Key = 0;
}

// ---- typed search -----------------------------------------------------------------------
namespace {
bool CaptionMatches(const std::string& caption, const std::string& value, bool whole) {
  return whole ? CaseFold(caption) == CaseFold(value) : StartsWithFolded(caption, value);
}
}  // namespace

int TListView::FindCaption(int StartIndex, const std::string& Value, bool Partial, bool Inclusive, bool Wrap) const {
  const int n = ItemCount();
  if (n == 0 || Value.empty()) return -1;
  if (FOwnerData) return OnDataFind ? OnDataFind(const_cast<TListView*>(this), Value, StartIndex, Partial, Wrap) : -1;
  const int first = std::clamp(Inclusive ? StartIndex : StartIndex + 1, 0, n);
  for (int k = 0; k < n; ++k) {
    int i = first + k;
    if (i >= n) {
      if (!Wrap) break;
      i -= n;
    }
    if (CaptionMatches(FItems[size_t(i)].Caption, Value, !Partial)) return i;
  }
  return -1;
}

void TListView::KeyPress(char32_t& Key) {
  TCustomControl::KeyPress(Key);
  if (Key < 32 || Key == 127 || ItemCount() == 0) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - FSearchTime > std::chrono::milliseconds(FSearchTimeout)) FSearchText.clear();
  FSearchTime = now;
  // A new search starts after the focused item; a longer text may still match it.
  const bool fresh = FSearchText.empty();
  FSearchText += Utf8Encode(Key);
  const int start = FFocused < 0 ? 0 : (fresh ? FFocused + 1 : FFocused);
  const int found = FindCaption(start, FSearchText, true, true, true);
  if (found >= 0) MoveFocus(found, {}, true);
  Key = 0;
}
