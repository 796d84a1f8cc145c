#pragma once
// One button of a skin radio group: a flat, focusable radio box that the group creates,
// labels, places and frees. Its keys also reach the group's own key handling.
#include "skin/controls/SkinCheckRadioBox.h"

class TbsSkinCustomRadioGroup;

class TbsGroupButton : public TbsSkinCheckRadioBox {
 public:
  explicit TbsGroupButton(TbsSkinCustomRadioGroup* AGroup);
  ~TbsGroupButton() override;
  std::string ClassName() const override { return "TbsGroupButton"; }

  TbsSkinCustomRadioGroup* Group() const { return FGroup; }

 protected:
  void WndProc(TMessage& Message) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;

 private:
  TbsSkinCustomRadioGroup* FGroup;
  bool FInClick = false;
};
