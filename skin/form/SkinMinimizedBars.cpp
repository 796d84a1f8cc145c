#include "skin/form/SkinMinimizedBars.h"

#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Screen.h"
#include "skin/form/SkinForm.h"

TPoint MinimizedBarPosition(const TRect& area, TSize bar, const std::function<bool(TPoint)>& occupied) {
  const TPoint first = Point(area.Left, area.Bottom - bar.cy);
  if (bar.cx <= 0 || bar.cy <= 0) return first;
  TPoint p = first;
  while (occupied(p)) {
    p.X += bar.cx;
    if (p.X + bar.cx > area.Right) {
      p.X = area.Left;
      p.Y -= bar.cy;
      if (p.Y < area.Top) return first;
    }
  }
  return p;
}

bool MinimizedBarAt(TPoint p, const TbsSkinForm* except) {
  for (int i = 0; i < Screen()->FormCount(); ++i) {
    TCustomForm* f = Screen()->Forms(i);
    if (f == Application->MainForm() || !f->Visible()) continue;
    const TbsSkinForm* sf = FindSkinForm(f);
    if (!sf || sf == except || sf->WindowState() != TbsWindowState::wsMinimized) continue;
    if (f->Left() == p.X && f->Top() == p.Y) return true;
  }
  return false;
}
