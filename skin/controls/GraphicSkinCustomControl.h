#pragma once
// The window-less counterpart of TbsSkinCustomControl: the default font and size of the
// skin-less look and the resizable geometry of a record.
#include <string>

#include "skin/controls/GraphicSkinControl.h"

extern template class TbsSkinCustomControlOf<TbsGraphicSkinControl>;

class TbsGraphicSkinCustomControl : public TbsSkinCustomControlOf<TbsGraphicSkinControl> {
 public:
  using TbsSkinCustomControlOf::TbsSkinCustomControlOf;
  std::string ClassName() const override { return "TbsGraphicSkinCustomControl"; }
};
