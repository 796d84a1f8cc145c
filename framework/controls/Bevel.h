#pragma once
// The bevel: a window-less control that draws a sunken or raised box, frame or edge
// line and nothing else; what lies below it shows everywhere else.
#include "framework/windows/Controls.h"

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
 public:
  explicit TBevel(TComponent* AOwner);
  std::string ClassName() const override { return "TBevel"; }

  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape Value);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle Value);

 protected:
  void Paint() override;

 private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};
