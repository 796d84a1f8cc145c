#include "skin/controls/SkinRadioGroup.h"

#include <algorithm>

#include "framework/graphics/ImageList.h"
#include "skin/controls/GroupButton.h"

TbsSkinCustomRadioGroup::TbsSkinCustomRadioGroup(TComponent* AOwner)
    : TbsSkinGroupBox(AOwner), FItems(std::make_unique<TStringList>()), FButtonDefaultFont(std::make_unique<TFont>()) {
  // Not a container for the user's controls, and not opaque: only its own buttons.
  FControlStyle = {csSetCaption, csDoubleClicks};
  FButtonDefaultFont->SetName("Arial");
  FButtonDefaultFont->SetHeight(14);
  FButtonDefaultFont->SetStyle({});
  FItems->OnChange = [this](TObject*) { ItemsChange(); };
}

TbsSkinCustomRadioGroup::~TbsSkinCustomRadioGroup() {
  FDestroying = true;
  SetButtonCount(0);
  FItems->OnChange = nullptr;
  if (FImages) FImages->RemoveFreeNotification(this);
}

// ---- properties -------------------------------------------------------------------------
void TbsSkinCustomRadioGroup::SetItems(const TStrings* Value) { FItems->Assign(Value); }

void TbsSkinCustomRadioGroup::SetItemIndex(int Value) {
  if (Reading()) {
    FItemIndex = Value;
    return;
  }
  Value = std::clamp(Value, -1, ButtonCount() - 1);
  if (Value == FItemIndex) return;
  std::weak_ptr<bool> alive = FGroupAlive;
  if (FItemIndex >= 0 && FItemIndex < ButtonCount()) FButtons[size_t(FItemIndex)]->SetChecked(false);
  if (alive.expired()) return;
  FItemIndex = Value;
  // Checking the button runs its click, which reaches the group's OnClick.
  if (FItemIndex >= 0) FButtons[size_t(FItemIndex)]->SetChecked(true);
}

void TbsSkinCustomRadioGroup::SetColumns(int Value) {
  Value = std::clamp(Value, 1, 16);
  if (Value == FColumns) return;
  FColumns = Value;
  ArrangeButtons();
  Invalidate();
}

void TbsSkinCustomRadioGroup::SetButtonSkinDataName(const std::string& Value) {
  FButtonSkinDataName = Value;
  for (TbsGroupButton* b : FButtons) b->SetSkinDataName(Value);
}

void TbsSkinCustomRadioGroup::SetButtonDefaultFont(const TFont* Value) {
  FButtonDefaultFont->Assign(Value);
  for (TbsGroupButton* b : FButtons) b->SetDefaultFont(FButtonDefaultFont.get());
}

void TbsSkinCustomRadioGroup::SetImages(TImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  for (TbsGroupButton* b : FButtons) b->SetImages(Value);
}

void TbsSkinCustomRadioGroup::Notification(TComponent* AComponent, TOperation Operation) {
  TbsSkinGroupBox::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

bool TbsSkinCustomRadioGroup::CanModify() { return true; }

void TbsSkinCustomRadioGroup::SetSkinData(TbsSkinData* Value) {
  TbsSkinGroupBox::SetSkinData(Value);
  for (TbsGroupButton* b : FButtons) b->SetSkinData(Value);
}

// ---- buttons ----------------------------------------------------------------------------
void TbsSkinCustomRadioGroup::ItemsChange() {
  if (Reading()) return;
  if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
  UpdateButtons();
}

void TbsSkinCustomRadioGroup::UpdateButtons() {
  SetButtonCount(FItems->Count());
  for (int i = 0; i < ButtonCount(); ++i) FButtons[size_t(i)]->SetCaption(FItems->Strings(i));
  if (FItemIndex >= 0 && FItemIndex < ButtonCount()) {
    // The group set the choice itself: its click handler ignores this check.
    FUpdating = true;
    FButtons[size_t(FItemIndex)]->SetChecked(true);
    FUpdating = false;
  }
  ArrangeButtons();
  Invalidate();
}

void TbsSkinCustomRadioGroup::SetButtonCount(int Value) {
  while (ButtonCount() < Value) new TbsGroupButton(this);  // adds itself to FButtons
  while (ButtonCount() > Value) delete FButtons.back();     // removes itself
  for (int i = 0; i < ButtonCount(); ++i) {
    TbsGroupButton* b = FButtons[size_t(i)];
    b->SetImageIndex(i);
    b->SetSkinData(FSD);
    b->SetSkinDataName(FButtonSkinDataName);
    b->SetDefaultFont(FButtonDefaultFont.get());
    b->SetUseSkinFont(FUseSkinFont);
  }
}

void TbsSkinCustomRadioGroup::ArrangeButtons(bool readRecord) {
  if (FButtons.empty() || Reading()) return;
  if (readRecord) ReadSkinRecord();
  TRect r = Rect(0, 0, Width(), Height());
  AdjustClientRect(r);
  const int count = ButtonCount();
  const int perColumn = (count + FColumns - 1) / FColumns;
  const int bw = RectWidth(r) / FColumns - 2;
  const int bh = RectHeight(r) / perColumn;
  // Every button is placed before the next paint (the framework paints from the event loop).
  for (int i = 0; i < count; ++i) {
    TbsGroupButton* b = FButtons[size_t(i)];
    const int left = (i / perColumn) * bw + r.Left + 1;
    const int top = (i % perColumn) * bh + r.Top;
    b->SetBounds(left, top, bw, bh);
    b->SetVisible(true);
  }
}

void TbsSkinCustomRadioGroup::ButtonClick(TObject* Sender) {
  if (FUpdating || FDestroying) return;
  auto it = std::find(FButtons.begin(), FButtons.end(), Sender);
  if (it == FButtons.end()) return;
  FItemIndex = int(it - FButtons.begin());
  Click();
}

// ---- notifications ----------------------------------------------------------------------
void TbsSkinCustomRadioGroup::Loaded() {
  TbsSkinGroupBox::Loaded();
  // ItemIndex was stored as read; Items may have come in any order.
  FItemIndex = std::clamp(FItemIndex, -1, FItems->Count() - 1);
  UpdateButtons();
}

void TbsSkinCustomRadioGroup::ApplySkinChange() {
  TbsSkinGroupBox::ApplySkinChange();
  ArrangeButtons();
}

void TbsSkinCustomRadioGroup::BeginSkinChange() {
  TbsSkinGroupBox::BeginSkinChange();
  // The old records still exist here: placing by them would undo the change.
  ArrangeButtons(false);
}

void TbsSkinCustomRadioGroup::CMEnabledChanged(TMessage& Message) {
  TbsSkinGroupBox::CMEnabledChanged(Message);
  for (TbsGroupButton* b : FButtons) b->SetEnabled(FEnabled);
}

void TbsSkinCustomRadioGroup::CMFontChanged(TMessage& Message) {
  TbsSkinGroupBox::CMFontChanged(Message);
  ArrangeButtons();
}

void TbsSkinCustomRadioGroup::Resize() {
  ArrangeButtons();
  TbsSkinGroupBox::Resize();
}
