// TScreen: the list of forms, the active form and the screen size.
#include "framework/windows/Screen.h"

#include <algorithm>

#include "framework/windows/CustomForm.h"
#include "framework/windows/Windows.h"

TCustomForm* TScreen::ActiveForm() const {
  for (TCustomForm* f : FForms)
    if (f->Active()) return f;
  return nullptr;
}

void TScreen::AddForm(TCustomForm* f) {
  if (std::find(FForms.begin(), FForms.end(), f) == FForms.end()) FForms.push_back(f);
}

void TScreen::RemoveForm(TCustomForm* f) { FForms.erase(std::remove(FForms.begin(), FForms.end(), f), FForms.end()); }

void TScreen::SetCursor(TCursor v) { FCursor = v; }

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }
TRect TScreen::WorkAreaRect() const { return GetMonitorWorkAreaAt(Point(0, 0)); }

TScreen* Screen() {
  static TScreen screen;
  return &screen;
}
