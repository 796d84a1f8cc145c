#include "tests/support/ControlShot.h"

#include "framework/graphics/Canvas.h"
#include "framework/windows/PaintTo.h"

namespace testsupport {

Pic ShotOf(TWinControl* parent, const TControl* c) {
  TBitmap all;
  PaintTo(parent, &all);
  const TPoint o = parent->ClientRectInWindow().TopLeft();
  Pic p;
  p.B->SetSize(c->Width(), c->Height());
  p.B->Canvas()->CopyRect(Rect(0, 0, c->Width(), c->Height()), &all,
                          Bounds(o.X + c->Left(), o.Y + c->Top(), c->Width(), c->Height()));
  return p;
}

}  // namespace testsupport
