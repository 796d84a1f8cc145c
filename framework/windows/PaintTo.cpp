// Rendering a window with its children into a bitmap, as the window system would show it.
#include "framework/windows/PaintTo.h"

#include "framework/graphics/Bitmap.h"
#include "framework/windows/Forms.h"
#include "framework/windows/WindowImpl.h"
#include "framework/windows/Windows.h"

using namespace winimpl;

namespace {
// With a shape, only the part of a child window inside its region (window coordinates) shows.
void CopyPixels(const TBitmap& src, TBitmap& dst, TPoint off, const TRect& clip, const TRegion* shape = nullptr) {
  for (int y = 0; y < src.Height(); ++y) {
    int dy = y + off.Y;
    if (dy < clip.Top || dy >= clip.Bottom || dy < 0 || dy >= dst.Height()) continue;
    const TPixel* s = src.ScanLine(y);
    TPixel* d = dst.ScanLine(dy);
    for (int x = 0; x < src.Width(); ++x) {
      int dx = x + off.X;
      if (dx < clip.Left || dx >= clip.Right || dx < 0 || dx >= dst.Width()) continue;
      if (!shape || shape->Contains(x, y)) d[dx] = s[x];
    }
  }
}

void ComposeClient(TWinControl* c, TBitmap& out, TPoint off, TRect clip) {
  if (!c->WindowImpl()) return;
  HWND h = c->HandleValue();
  if (c->WindowImpl()->HasNonClient() && c->Parent()) {
    // The whole window first, then the client where the non-client area leaves it.
    RenderNonClient(c);
    if (!IsWindow(h)) return;
    CopyPixels(c->WindowImpl()->WindowImage, out, off, clip);
    TRect in = c->ClientRectInWindow();
    OffsetRect(in, off.X, off.Y);
    off = in.TopLeft();
    if (!IntersectRect(clip, clip, in)) return;
  }
  RenderClient(c);
  if (!IsWindow(h)) return;
  const std::optional<TRegion>& shape = c->WindowImpl()->Shape;
  if (shape && c->Parent())
    CopyPixels(c->WindowImpl()->ClientImage, out, off, clip, &*shape);
  else
    CopyPixels(c->WindowImpl()->ClientImage, out, off, clip);
  for (int i = 0; i < c->ControlCount(); ++i) {
    auto* w = dynamic_cast<TWinControl*>(c->Controls(i));
    if (!w || !w->Visible()) continue;
    w->Handle();
    TRect r = Bounds(off.X + w->Left(), off.Y + w->Top(), w->Width(), w->Height());
    TRect inner;
    if (!IntersectRect(inner, r, clip)) continue;
    ComposeClient(w, out, r.TopLeft(), inner);
  }
}

void ApplyShape(TWinControl* c, TBitmap& out) {
  if (!c->WindowImpl() || !c->WindowImpl()->Shape) return;
  const TRegion& shape = *c->WindowImpl()->Shape;
  for (int y = 0; y < out.Height(); ++y) {
    TPixel* row = out.ScanLine(y);
    for (int x = 0; x < out.Width(); ++x)
      if (!shape.Contains(x, y)) row[x] = 0;
  }
}
}  // namespace

void PaintTo(TWinControl* w, TBitmap* out) {
  if (!w || !out) return;
  HWND h = w->Handle();
  out->SetSize(std::max(0, w->Width()), std::max(0, w->Height()));
  if (auto* f = dynamic_cast<TCustomForm*>(w)) {
    RenderFrame(f);
    if (!IsWindow(h)) return;
    TRect all = Rect(0, 0, out->Width(), out->Height());
    CopyPixels(f->WindowImpl()->WindowImage, *out, Point(0, 0), all);
    TRect client = f->ClientRectInWindow();
    ComposeClient(f, *out, client.TopLeft(), client);
  } else {
    ComposeClient(w, *out, Point(0, 0), Rect(0, 0, out->Width(), out->Height()));
  }
  if (IsWindow(h)) ApplyShape(w, *out);
}
