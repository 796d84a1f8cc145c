#pragma once
// The minimum and maximum size of a skinned form. The minimum feeds the sizing limits,
// the minimised bar, the rolled-up height and the frame's painting guard.
#include "framework/core/Types.h"

struct TbsFormSizeLimits {
  bool Skinned = false;
  int PictureWidth = 0;  // the skin's main picture
  int FrameHeight = 0;   // the frame without any client area
  int MinWidth = 0;      // the form's MinWidth / MinHeight properties
  int MinHeight = 0;
  bool Minimized = false;
  bool RolledUp = false;

  // Skinned: the picture's width, or MinWidth when larger and not minimised.
  // Default frame: MinWidth, or 120 when MinWidth <= 0.
  int MinimumWidth() const;
  // The frame height, or MinHeight when larger and neither rolled up nor minimised.
  int MinimumHeight() const;
};

// The largest size the form may take: the work area, or the whole monitor when it
// maximises on the full screen.
TSize MaximumFormSize(const TRect& monitor, const TRect& workArea, bool fullScreen);

// The bounds of a maximised form. A work area covering the whole monitor is shrunk by
// one pixel on every side, which leaves an edge where a hidden panel can appear.
TRect MaximizedFormBounds(const TRect& monitor, const TRect& workArea, bool fullScreen);
