#pragma once
// The menu bar of a form (the skin engine draws the bar; this is its model).
#include "framework/menus/Menu.h"

class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
  std::string ClassName() const override { return "TMainMenu"; }
};
