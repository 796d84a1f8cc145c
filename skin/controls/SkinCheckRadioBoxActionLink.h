#pragma once
// Keeps a check or radio box in step with its TAction, its checked state included.
#include "skin/controls/SkinActionLink.h"

class TbsSkinCheckRadioBox;

class TbsSkinCheckRadioBoxActionLink : public TbsSkinActionLink<TbsSkinCheckRadioBox> {
 public:
  using TbsSkinActionLink::TbsSkinActionLink;
  std::string ClassName() const override { return "TbsSkinCheckRadioBoxActionLink"; }
};
