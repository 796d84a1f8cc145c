#include "skin/form/SkinFormLimits.h"

int TbsFormSizeLimits::MinimumWidth() const {
  if (!Skinned) return MinWidth > 0 ? MinWidth : 120;
  return MinWidth > PictureWidth && !Minimized ? MinWidth : PictureWidth;
}

int TbsFormSizeLimits::MinimumHeight() const {
  return MinHeight > FrameHeight && !RolledUp && !Minimized ? MinHeight : FrameHeight;
}

TSize MaximumFormSize(const TRect& monitor, const TRect& workArea, bool fullScreen) {
  const TRect& r = fullScreen ? monitor : workArea;
  return TSize{r.Width(), r.Height()};
}

TRect MaximizedFormBounds(const TRect& monitor, const TRect& workArea, bool fullScreen) {
  if (fullScreen) return monitor;
  TRect r = workArea;
  if (r.Width() == monitor.Width() && r.Height() == monitor.Height()) {
    r.Left += 1;
    r.Top += 1;
    r.Right -= 1;
    r.Bottom -= 1;
  }
  return r;
}
