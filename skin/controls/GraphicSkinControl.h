#pragma once
// The window-less counterparts of TbsSkinControl and TbsSkinCustomControl, built from the
// same shared pieces (SkinControlBase.h): controls painted on their parent's surface that
// never take the focus. A window-less control has no shape of its own, so a record's mask
// is not used.
#include <string>

#include "framework/windows/GraphicControl.h"
#include "skin/controls/SkinControlBase.h"

extern template class TbsSkinControlOf<TGraphicControl>;

class TbsGraphicSkinControl : public TbsSkinControlOf<TGraphicControl> {
 public:
  using TbsSkinControlOf::TbsSkinControlOf;
  std::string ClassName() const override { return "TbsGraphicSkinControl"; }
};
