#pragma once
// TbsSkinEdit: the skin edit as stored layouts and the open dialog use it; all of its
// behaviour is TbsSkinCustomEdit's.
#include "skin/dialogs/SkinCustomEdit.h"

class TbsSkinEdit : public TbsSkinCustomEdit {
 public:
  explicit TbsSkinEdit(TComponent* AOwner);
  std::string ClassName() const override { return "TbsSkinEdit"; }
};
