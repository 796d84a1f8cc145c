#include "skin/form/UserObject.h"

#include "skin/form/SkinForm.h"

void TbsUserObject::Draw(TCanvas* canvas, bool) {
  if (FForm && FForm->OnPaintEvent) FForm->OnPaintEvent(IDName, canvas, ObjectRect);
}
