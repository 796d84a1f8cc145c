#pragma once
#include "skin/form/ActiveSkinObject.h"

class TMenuItem;
class TbsDataSkinAnimate;

// A frame animation: frames side by side in the active picture from ActiveSkinRect's
// top-left, each of SkinRect's size. A button-style animation runs forward while the
// mouse is over it and back to frame 1 when it leaves, on the form's 25 ms timer.
class TbsSkinAnimateObject : public TbsActiveSkinObject {
 public:
  static constexpr int TimerStep = 25;

  TbsSkinAnimateObject(TbsSkinForm* form, const TbsDataSkinAnimate* record);
  bool MorphPending() const override { return false; }
  void Draw(TCanvas* canvas, bool direct) override;
  void DblClick() override;
  void MouseUp(int X, int Y, TMouseButton Button) override;
  void MouseEnter() override;
  void MouseLeave() override;

  // One tick of the animation timer.
  void Step();
  TRect FrameRect(int frame) const;

  int CountFrames = 1;
  bool Cycle = false;
  bool ButtonStyle = false;
  int TimerInterval = 50;
  TStdCommand Command = cmDefault;
  int CurrentFrame = 1;
  bool Forward = true;
  int ElapsedTime = TimerStep;
  TMenuItem* MenuItem = nullptr;
  bool PopupUp = false;
};
