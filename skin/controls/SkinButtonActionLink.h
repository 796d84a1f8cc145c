#pragma once
// Keeps a skin button in step with its TAction.
#include "skin/controls/SkinActionLink.h"

class TbsSkinButton;

class TbsSkinButtonActionLink : public TbsSkinActionLink<TbsSkinButton> {
 public:
  using TbsSkinActionLink::TbsSkinActionLink;
  std::string ClassName() const override { return "TbsSkinButtonActionLink"; }
};
