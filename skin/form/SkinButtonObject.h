#pragma once
#include "skin/form/ActiveSkinObject.h"

class TMenuItem;
class TbsDataSkinButton;

// A frame button: down and disabled images, and an optional menu item whose sub-items
// pop up under it while it is held down.
class TbsSkinButtonObject : public TbsActiveSkinObject {
 public:
  TbsSkinButtonObject(TbsSkinForm* form, const TbsDataSkinButton* record);
  bool MorphPending() const override;
  void Draw(TCanvas* canvas, bool direct) override;
  void MouseDown(int X, int Y, TMouseButton Button) override;
  void MouseUp(int X, int Y, TMouseButton Button) override;
  void MouseEnter() override;
  void MouseLeave() override;

  void SetDown(bool v);
  // Pops the menu item's sub-items up under the button (only when it has some).
  void PopupMenuItem();

  TRect DownRect, DisabledRect;
  bool Down = false;
  TMenuItem* MenuItem = nullptr;
  bool PopupUp = false;

 protected:
  void DrawButton(TCanvas* canvas, bool direct);
};
