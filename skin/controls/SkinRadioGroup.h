#pragma once
// A group box whose content is a column grid of radio buttons made from a string list;
// ItemIndex is the chosen one (-1: none). The buttons are the group's own: created,
// labelled, placed and freed by it, never stored with the form.
#include <memory>
#include <vector>

#include "framework/core/Strings.h"
#include "skin/controls/SkinGroupBox.h"

class TbsGroupButton;
class TImageList;

class TbsSkinCustomRadioGroup : public TbsSkinGroupBox {
 public:
  explicit TbsSkinCustomRadioGroup(TComponent* AOwner);
  ~TbsSkinCustomRadioGroup() override;
  std::string ClassName() const override { return "TbsSkinCustomRadioGroup"; }

  TStrings* Items() { return FItems.get(); }
  const TStrings* Items() const { return FItems.get(); }
  void SetItems(const TStrings* Value);
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  const std::string& ButtonSkinDataName() const { return FButtonSkinDataName; }
  void SetButtonSkinDataName(const std::string& Value);
  TFont* ButtonDefaultFont() { return FButtonDefaultFont.get(); }
  const TFont* ButtonDefaultFont() const { return FButtonDefaultFont.get(); }
  void SetButtonDefaultFont(const TFont* Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);

  int ButtonCount() const { return int(FButtons.size()); }
  TbsGroupButton* Buttons(int Index) const { return FButtons.at(size_t(Index)); }

  // Whether the buttons may change the choice; asked before they act.
  virtual bool CanModify();

  void SetSkinData(TbsSkinData* Value) override;
  void ApplySkinChange() override;
  // The buttons go where the default look has its client area until a new skin comes.
  void BeginSkinChange() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void CMEnabledChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void Resize() override;
  // Places the buttons in columns inside the client area (of the record found again by
  // name when readRecord).
  void ArrangeButtons(bool readRecord = true);

 private:
  friend class TbsGroupButton;
  bool Reading() const { return ComponentState().Contains(csReading); }
  void ItemsChange();
  void UpdateButtons();
  void SetButtonCount(int Value);
  void ButtonClick(TObject* Sender);
  void GroupKeyDown(Word& Key, TShiftState Shift) { KeyDown(Key, Shift); }
  void GroupKeyPress(char32_t& Key) { KeyPress(Key); }

  std::unique_ptr<TStringList> FItems;
  std::vector<TbsGroupButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
  std::string FButtonSkinDataName = "radiobox";
  std::unique_ptr<TFont> FButtonDefaultFont;
  TImageList* FImages = nullptr;
  bool FUpdating = false;
  bool FDestroying = false;
  std::shared_ptr<bool> FGroupAlive = std::make_shared<bool>(true);
};

// The radio group with its properties published.
class TbsSkinRadioGroup : public TbsSkinCustomRadioGroup {
 public:
  using TbsSkinCustomRadioGroup::TbsSkinCustomRadioGroup;
  std::string ClassName() const override { return "TbsSkinRadioGroup"; }
};
