#pragma once
// Keeps a speed button in step with its TAction.
#include "skin/controls/SkinActionLink.h"

class TbsSkinSpeedButton;

class TbsSkinSpeedButtonActionLink : public TbsSkinActionLink<TbsSkinSpeedButton> {
 public:
  using TbsSkinActionLink::TbsSkinActionLink;
  std::string ClassName() const override { return "TbsSkinSpeedButtonActionLink"; }
};
