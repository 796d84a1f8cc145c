#pragma once
// TbsSkinShellComboBox: the folder box as the open dialog places it.
#include "skin/dialogs/CustomShellComboBox.h"

class TbsSkinShellComboBox : public TbsCustomShellComboBox {
 public:
  explicit TbsSkinShellComboBox(TComponent* AOwner) : TbsCustomShellComboBox(AOwner) {}
  std::string ClassName() const override { return "TbsSkinShellComboBox"; }
};
