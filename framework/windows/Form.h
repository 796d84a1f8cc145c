#pragma once
#include "framework/windows/CustomForm.h"

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* AOwner);
  std::string ClassName() const override { return "TForm"; }
};
