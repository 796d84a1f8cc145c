#pragma once
// TbsSkinCustomComboBox: a custom-drawn skin box whose items drop down in a separate
// non-activating pop-up list (TbsPopupListBox). The box keeps the focus and, while the
// list is open, the mouse: it highlights, scrolls and accepts rows for the list. Keys
// select items (arrows, Page Up / Page Down, Home / End, typed prefixes), the wheel steps
// through them. In the edit style a text field takes the item area.
//
// Default look: a grey box with a framed button and a down arrow; the item area shows the
// selected item, highlighted while the box has the focus. Skinned ("combobox" record):
// the record's image, its button images by state, and the item area's focus image, font
// and colours; the list takes the list box record the combobox record names.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/core/Strings.h"
#include "skin/controls/SkinControl.h"
#include "skin/dialogs/PopupListBox.h"

class TCustomEdit;
class TImageList;

enum TbsComboBoxStyle { bscbFixedStyle, bscbEditStyle };

// Owner drawing of the closed box's item area: canvas of the area's bitmap, the item shown,
// its rectangle there and whether the box has the focus.
using TbsDrawComboItemEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, int Index, const TRect& Rect, bool Focused)>;

class TbsSkinCustomComboBox : public TbsSkinCustomControl {
 public:
  // Window timers: the typed prefix is forgotten when TypeAheadTimerId fires, half a second
  // after the last typed character; ScrollTimerId scrolls the open list while the button is
  // held above or below it.
  static constexpr std::uintptr_t TypeAheadTimerId = 1;
  static constexpr std::uintptr_t ScrollTimerId = 2;
  static constexpr unsigned TypeAheadPause = 500;
  static constexpr unsigned ScrollInterval = 25;

  explicit TbsSkinCustomComboBox(TComponent* AOwner);
  ~TbsSkinCustomComboBox() override;
  std::string ClassName() const override { return "TbsSkinCustomComboBox"; }

  TStrings* Items();
  const TStrings* Items() const;
  void SetItems(const TStrings* Value);
  // The list's selected row. Setting it shows that item's text, repaints and, outside
  // loading, fires OnClick and Change.
  int ItemIndex() const;
  void SetItemIndex(int Value);
  // The box's text; a change fires OnChange.
  std::string Text() const;
  void SetText(const std::string& Value);

  TbsComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TbsComboBoxStyle Value);
  int DropDownCount() const { return FDropDownCount; }
  // Values below 1 are ignored.
  void SetDropDownCount(int Value);
  bool AutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool Value) { FAutoComplete = Value; }
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value) { FHideSelection = Value; }
  // 0: the box's width.
  int ListBoxWidth() const { return FListBoxWidth; }
  void SetListBoxWidth(int Value) { FListBoxWidth = std::max(0, Value); }
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
  Byte AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(Byte Value) { FAlphaBlendValue = Value; }
  bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
  void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);

  // The list: open or closed, the index saved when it opened, the typed prefix.
  void DropDown();
  void CloseUp(bool Accept);
  bool DroppedDown() const;
  int SavedItemIndex() const { return FSavedIndex; }
  const std::u32string& SearchPrefix() const { return FPrefix; }
  TbsPopupListBox* ListBox() const { return FListBox; }
  TCustomEdit* Edit() const { return FEdit; }
  // Layout for the current size and look.
  TRect ButtonRect();
  TRect ItemRect();
  bool ButtonHot() const { return FButtonHot; }
  bool ButtonPressed() const { return FButtonPressed; }
  // The direction the held button scrolls the list: -1 up, 1 down, 0 none.
  int ScrollDirection() const { return FScrollDir; }

  void ApplySkinChange() override;
  void BeginSkinChange() override;
  void SetFocus() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TbsDrawListItemEvent OnListBoxDrawItem;
  TbsDrawComboItemEvent OnDrawItem;

 protected:
  // The change notification of the class after a chosen item (empty here).
  virtual void Change();
  bool AcceptsRecord(const TbsDataSkinControl* Record) const override;
  void ReadSkinRecord() override;
  void DrawDefaultImage(TBitmap& B) override;
  void DrawSkinImage(TBitmap& B) override;
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void BoundsChanged(bool moved, bool sized) override;
  void DoExit() override;
  void DoEnter() override;
  void Loaded() override;

 private:
  bool HasFocus();
  void DrawItemArea(TCanvas* C, const TRect& Area, bool Skinned);
  void DrawButton(TCanvas* C, const TRect& R, bool Skinned);
  // List-relative handling of the mouse while the list is open; true when it was used.
  bool ListMouse(UINT Msg, TPoint ScreenPoint, WPARAM Keys);
  void ForwardToScrollBar(UINT Msg, TPoint ScreenPoint, WPARAM Keys);
  void StartScroll(int Direction);
  void StopScroll();
  void ScrollTick();
  void TypeAhead(char32_t Ch);
  void SelectStep(int Index);
  void MoveHighlight(int Delta);
  void PlaceEdit();
  void TextChanged();
  void ReleaseMouse();

  TbsPopupListBox* FListBox = nullptr;
  TCustomEdit* FEdit = nullptr;
  TbsComboBoxStyle FStyle = bscbFixedStyle;
  int FDropDownCount = 8;
  bool FAutoComplete = true;
  bool FHideSelection = true;
  int FListBoxWidth = 0;
  bool FAlphaBlend = false;
  Byte FAlphaBlendValue = 200;
  bool FAlphaBlendAnimation = false;
  TImageList* FImages = nullptr;
  int FImageIndex = -1;

  int FItemIndex = -1;
  int FSavedIndex = -1;
  std::u32string FPrefix;
  bool FButtonHot = false;
  bool FButtonPressed = false;
  bool FDropPress = false;     // the press that dropped the list is still held
  bool FEnteredList = false;   // ... and the pointer has been over the list since
  bool FListPress = false;     // a press inside the open list
  bool FScrollBarPress = false;
  int FScrollDir = 0;
  bool FFocusGrab = false;
  bool FSettingText = false;
  bool FTypeAheadRunning = false;

  // Copies of the combobox record's values.
  TRect FSkinItemRect, FFocusItemRect, FItemTextRect;
  int FItemLeftOffset = 0, FItemRightOffset = 0;
  std::string FFontName;
  int FFontHeight = 14;
  TFontStyles FFontStyle;
  TColor FFontColor = 0, FFocusFontColor = 0;
  std::string FListBoxName;
  TRect FButtonRect, FActiveButtonRect, FDownButtonRect, FUnEnabledButtonRect;

  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
