// The list view's label editing: the edit laid over an item's caption, the keys that end
// it, and the slow second click that starts it.
#include <algorithm>

#include "framework/controls/CustomEdit.h"
#include "framework/controls/ListView.h"
#include "framework/graphics/ImageList.h"
#include "framework/windows/Timers.h"
#include "framework/windows/Windows.h"

// Enter and Escape end the edit and go no further: a dialog's default and cancel buttons
// never see them. Leaving the edit commits it.
class TListLabelEdit : public TCustomEdit {
 public:
  explicit TListLabelEdit(TListView* AList) : TCustomEdit(AList), FList(AList) { FTabStop = false; }
  std::string ClassName() const override { return "TListLabelEdit"; }

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_GETDLGCODE) {
      m.Result = DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    }
    TCustomEdit::WndProc(m);
  }
  void KeyDown(Word& Key, TShiftState Shift) override {
    TCustomEdit::KeyDown(Key, Shift);
    if (Key != VK_RETURN && Key != VK_ESCAPE) return;
    const bool accept = Key == VK_RETURN;
    Key = 0;
    FList->EndEdit(accept);
  }
  void KeyPress(char32_t& Key) override {
    // The characters of Enter and Escape follow their keys to this (hidden) edit.
    if (Key == U'\r' || Key == U'\x1b') {
      Key = 0;
      return;
    }
    TCustomEdit::KeyPress(Key);
  }
  void DoExit() override {
    TCustomEdit::DoExit();
    if (FList->IsEditing()) FList->EndEdit(true);
  }

 private:
  TListView* FList;
};

void TListView::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (Value) EndEdit(false);
}

TWinControl* TListView::LabelEdit() const { return FEditIndex >= 0 ? FLabelEdit : nullptr; }

bool TListView::CanEdit(int Index) {
  bool allow = true;
  if (OnEditing) OnEditing(this, Index, allow);
  return allow;
}

void TListView::Edited(int Index, std::string& S) {
  if (OnEdited) OnEdited(this, Index, S);
  if (!FOwnerData && Index < int(FItems.size())) FItems[size_t(Index)].Caption = S;
  Invalidate();
}

TRect TListView::LabelRect(int i) const {
  const TRect r = ItemRect(i);
  constexpr int EditHeight = 20;
  if (FViewStyle == vsIcon) return Rect(r.Left, r.Bottom - EditHeight, r.Right, r.Bottom);
  const int x = r.Left + (FSmallImages ? FSmallImages->Width() + 2 : 0);
  const int right = FViewStyle == vsReport && !FColumns.empty() ? r.Left + FColumns[0].Width : r.Right;
  const int top = r.Top - std::max(0, EditHeight - r.Height()) / 2;
  return Rect(x, top, std::max(right, x + 40), top + std::max(EditHeight, r.Height()));
}

bool TListView::EditCaption(int i) {
  if (FReadOnly || i < 0 || i >= ItemCount() || !CanFocus()) return false;
  EndEdit(true);
  if (!CanEdit(i)) return false;
  MakeVisible(i);
  if (!FLabelEdit) {
    FLabelEdit = new TListLabelEdit(this);
    FLabelEdit->SetVisible(false);
    FLabelEdit->SetParent(this);
  }
  FLabelEdit->SetBoundsRect(LabelRect(i));
  FLabelEdit->SetText(DisplayItem(i).Caption);
  FEditIndex = i;
  FLabelEdit->SetVisible(true);
  FLabelEdit->SetFocus();
  FLabelEdit->SelectAll();
  return true;
}

void TListView::EndEdit(bool Accept) {
  if (FEditIndex < 0) return;
  const int i = FEditIndex;
  FEditIndex = -1;
  std::string text = FLabelEdit->Text();
  // Ended by a key, the focus comes back to the list; ended by leaving, it stays away.
  if (FLabelEdit->Focused() && CanFocus()) SetFocus();
  FLabelEdit->SetVisible(false);
  Invalidate();
  if (Accept && i < ItemCount() && text != DisplayItem(i).Caption) Edited(i, text);
}

void TListView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || FSlowClickItem < 0) return;
  if (ItemAt(X, Y) != FSlowClickItem) {
    FSlowClickItem = -1;
    return;
  }
  // A second press within the double-click time makes a double click instead.
  if (!FSlowClickTimer) {
    FSlowClickTimer = new TTimer(this);
    FSlowClickTimer->OnTimer = [this](TObject*) { SlowClickTimer(); };
  }
  FSlowClickTimer->SetEnabled(false);
  FSlowClickTimer->SetInterval(GetDoubleClickTime());
  FSlowClickTimer->SetEnabled(true);
}

void TListView::SlowClickTimer() {
  FSlowClickTimer->SetEnabled(false);
  const int i = FSlowClickItem;
  FSlowClickItem = -1;
  if (i >= 0 && i == FFocused && IsSelected(i) && FSelCount == 1 && Focused()) EditCaption(i);
}
