#pragma once
#include "skin/form/ActiveSkinObject.h"

// A user-drawn area of the frame: it draws only through the form's OnPaintEvent.
class TbsUserObject : public TbsActiveSkinObject {
 public:
  using TbsActiveSkinObject::TbsActiveSkinObject;
  void Draw(TCanvas* canvas, bool direct) override;
};
