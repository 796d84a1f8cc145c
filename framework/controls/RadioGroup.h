#pragma once
// A group box with a caption and a column-wise grid of radio buttons, one per line of
// Items; ItemIndex is the chosen one (-1: none). The user chooses with the mouse (a
// release on the item it was pressed on) or with the arrow keys; OnClick tells of a
// choice the user changed, not of ItemIndex set by code.
#include <memory>
#include <vector>

#include "framework/core/Strings.h"
#include "framework/windows/Controls.h"

class TRadioGroup : public TCustomControl {
 public:
  explicit TRadioGroup(TComponent* AOwner);
  ~TRadioGroup() override;
  std::string ClassName() const override { return "TRadioGroup"; }

  TStrings* Items() { return FItems.get(); }
  const TStrings* Items() const { return FItems.get(); }
  void SetItems(const TStrings* v) { FItems->Assign(v); }
  // Clamped to -1 .. Items->Count() - 1 (kept as stored while the layout is read).
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int v);
  // 1 to 16 columns; items fill the columns top to bottom.
  int Columns() const { return FColumns; }
  void SetColumns(int v);

  // Where item index lies, in client coordinates (empty for an index out of range).
  TRect ItemRect(int index) const;
  // The item under a client point, or -1.
  int ItemAt(TPoint p) const;

  void Loaded() override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;
  void WndProc(TMessage& Message) override;

 private:
  void ItemsChanged();
  // The user chose index: ItemIndex follows and OnClick fires when it changed.
  // False when the click handler freed the group.
  bool UserSelect(int index);
  int TextHeight() const;
  std::unique_ptr<TStringList> FItems;
  int FItemIndex = -1;
  int FColumns = 1;
  int FPressedItem = -1;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
