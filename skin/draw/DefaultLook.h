#pragma once
// The default look: how a skin element draws itself when the skin has no record for it.
// Faces are flat in the button face colour, framed in button shadow; a navy frame marks a
// hot face (pointer over it, or focused), filled lighter, and a pressed one, filled darker.
#include "framework/core/Types.h"

class TCanvas;

// The colours of the default look beside the system colours.
constexpr TColor DefaultNavy = clNavy;
constexpr TColor DefaultHotFill = 0xD2BDB6;
constexpr TColor DefaultPressedFill = 0xB59385;

enum TbsFaceState { faceNormal, faceHot, facePressed };

// Button face at rest, the hot or the pressed fill.
TColor DefaultFaceFill(TbsFaceState State);
// Button shadow at rest, navy when hot or pressed.
TColor DefaultFaceFrame(TbsFaceState State);

// A face over all of R: a one-pixel frame around the fill. The brush is left solid in the
// fill colour, the pen as it was.
void DrawDefaultFace(TCanvas* Canvas, const TRect& R, TbsFaceState State);
// The frameless face at rest: R filled in button face, the brush left solid in it.
void FillDefaultFace(TCanvas* Canvas, const TRect& R);
