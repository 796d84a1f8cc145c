#pragma once
#include <vector>

#include "framework/windows/Control.h"

class TCustomForm;

// The screen: every form in creation order, the active form, the global cursor.
class TScreen {
 public:
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int index) const { return FForms.at(static_cast<size_t>(index)); }
  TCustomForm* ActiveForm() const;
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor v);
  int Width() const;
  int Height() const;
  TRect WorkAreaRect() const;

  void AddForm(TCustomForm* f);
  void RemoveForm(TCustomForm* f);

 private:
  std::vector<TCustomForm*> FForms;
  TCursor FCursor = crDefault;
};

TScreen* Screen();
