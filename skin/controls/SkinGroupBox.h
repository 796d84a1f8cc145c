#pragma once
// The skin panel with its caption bar switched on and a record name of its own.
#include "skin/controls/SkinPanel.h"

class TbsSkinGroupBox : public TbsSkinPanel {
 public:
  explicit TbsSkinGroupBox(TComponent* AOwner);
  std::string ClassName() const override { return "TbsSkinGroupBox"; }
};
