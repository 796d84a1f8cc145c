#pragma once
// The skinned frame's geometry for one window size: the skin's FORMINFO points and
// rectangles moved with the size, and the rule that maps an object drawn in the frame
// picture to its place in the resized frame.
#include "framework/core/Types.h"

class TbsSkinData;

struct TbsFormFrameGeometry {
  int W = 0, H = 0;    // window size
  int PW = 0, PH = 0;  // main picture size
  TPoint LT, RT, LB, RB;
  TRect Client;   // the frame's client rectangle, window coordinates
  TRect Caption;  // empty when the skin has none
  TRect Buttons;  // empty when the skin has none
  int ButtonsOffset = 0;
  bool ButtonsInLeft = false;
  TPoint HitLT, HitRT, HitLB, HitRB;
  TRect MaskArea;
};

// The skin can draw a frame: a main picture that holds every corner point and the
// client rectangle, with edges between the corners to stretch. A skin that fails this
// (no FORMINFO, a picture smaller than its points) is drawn with the default frame.
bool SkinFrameUsable(const TbsSkinData& s);

TbsFormFrameGeometry ComputeFrameGeometry(const TbsSkinData& s, int W, int H);

// The window rectangle of an object whose image is part of the frame picture: inside a
// corner area it moves with that corner; spanning two areas it stretches between them.
TRect MapFrameObjectRect(const TbsSkinData& s, const TRect& skinRect, int dx, int dy);
