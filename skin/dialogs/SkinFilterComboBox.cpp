// The file type box.
#include "skin/dialogs/SkinFilterComboBox.h"

#include "framework/core/SysUtils.h"
#include "skin/dialogs/FileMask.h"

TbsSkinFilterComboBox::TbsSkinFilterComboBox(TComponent* AOwner) : TbsSkinCustomComboBox(AOwner) {
  BuildLists();
}

void TbsSkinFilterComboBox::BuildLists() {
  std::vector<std::string> descriptions;
  ParseFilter(FFilter, descriptions, FMasks);
  Items()->Clear();
  for (const std::string& d : descriptions) Items()->Add(d);
  const std::string before = Text();
  if (!descriptions.empty()) SetItemIndex(0);
  else SetText("");
  // Listeners hear of the new filter even when the first description reads the same.
  if (Text() == before && OnChange) OnChange(this);
}

void TbsSkinFilterComboBox::SetFilter(const std::string& Value) {
  if (SameText(Value, FFilter)) return;
  FFilter = Value;
  BuildLists();
}

std::string TbsSkinFilterComboBox::Mask() {
  if (FMasks.empty()) return "*.*";
  if (ItemIndex() < 0) SetItemIndex(int(FMasks.size()) - 1);
  const int i = ItemIndex();
  return i >= 0 && i < int(FMasks.size()) ? FMasks[size_t(i)] : "*.*";
}

void TbsSkinFilterComboBox::Loaded() {
  TbsSkinCustomComboBox::Loaded();
  BuildLists();
}
