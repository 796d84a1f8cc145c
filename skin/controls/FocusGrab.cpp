#include "skin/controls/FocusGrab.h"

#include "framework/windows/Forms.h"

bool GrabFocusForPress(TWinControl* control, const std::weak_ptr<bool>& alive, bool& grabbing) {
  if (!control->CanFocus()) return false;
  grabbing = true;
  control->SetFocus();
  if (alive.expired()) return false;
  grabbing = false;
  TCustomForm* form = GetParentForm(control);
  return control->Focused() || (form && form->ActiveControl() == control);
}
