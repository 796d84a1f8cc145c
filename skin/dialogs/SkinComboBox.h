#pragma once
// TbsSkinComboBox: the skin combo box as stored layouts and the open dialog use it; all of
// its behaviour is TbsSkinCustomComboBox's.
#include "skin/dialogs/SkinCustomComboBox.h"

class TbsSkinComboBox : public TbsSkinCustomComboBox {
 public:
  explicit TbsSkinComboBox(TComponent* AOwner);
  std::string ClassName() const override { return "TbsSkinComboBox"; }
};
