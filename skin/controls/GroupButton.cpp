#include "skin/controls/GroupButton.h"

#include <algorithm>

#include "skin/controls/SkinRadioGroup.h"

TbsGroupButton::TbsGroupButton(TbsSkinCustomRadioGroup* AGroup) : TbsSkinCheckRadioBox(AGroup), FGroup(AGroup) {
  SetRadio(true);
  SetCanFocused(true);
  FSkinDataName = "radiobox";
  SetGroupIndex(1);
  SetFlat(true);
  // Hidden until the group places it.
  FVisible = false;
  FEnabled = AGroup->Enabled();
  SetShowHint(false);
  SetParent(AGroup);
  OnClick = [AGroup](TObject* Sender) { AGroup->ButtonClick(Sender); };
  AGroup->FButtons.push_back(this);
}

TbsGroupButton::~TbsGroupButton() {
  OnClick = nullptr;
  auto& list = FGroup->FButtons;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TbsGroupButton::WndProc(TMessage& Message) {
  // Command notifications act only once at a time, and only when the group allows it.
  if (Message.Msg == WM_COMMAND) {
    if (FInClick || !FGroup->CanModify()) return;
    FInClick = true;
    std::weak_ptr<bool> alive = FButtonAlive;
    TbsSkinCheckRadioBox::WndProc(Message);
    if (!alive.expired()) FInClick = false;
    return;
  }
  TbsSkinCheckRadioBox::WndProc(Message);
}

void TbsGroupButton::KeyDown(Word& Key, TShiftState Shift) {
  std::weak_ptr<bool> alive = FButtonAlive;
  TbsSkinCheckRadioBox::KeyDown(Key, Shift);
  if (alive.expired()) return;
  FGroup->GroupKeyDown(Key, Shift);
}

void TbsGroupButton::KeyPress(char32_t& Key) {
  std::weak_ptr<bool> alive = FButtonAlive;
  TbsSkinCheckRadioBox::KeyPress(Key);
  if (alive.expired()) return;
  FGroup->GroupKeyPress(Key);
  if ((Key == U'\b' || Key == U' ') && !FGroup->CanModify()) Key = 0;
}
