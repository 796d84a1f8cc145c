#include "skin/controls/SkinScrollBarRegistration.h"

#include "framework/layout/ClassRegistry.h"
#include "skin/controls/SkinScrollBar.h"

void RegisterSkinScrollBarClass(TClassRegistry& r) {
  using S = TbsSkinScrollBar;
  auto c = r.RegisterClass<S>("TbsSkinScrollBar", "TbsSkinCustomControl");
  c.Enum("Kind", &S::Kind, &S::SetKind, {{"sbHorizontal", sbHorizontal}, {"sbVertical", sbVertical}});
  c.Integer("Min", &S::Min, &S::SetMin);
  c.Integer("Max", &S::Max, &S::SetMax);
  c.Integer("PageSize", &S::PageSize, &S::SetPageSize);
  c.Integer("Position", &S::Position, &S::SetPosition);
  c.Integer("SmallChange", &S::SmallChange, &S::SetSmallChange);
  c.Integer("LargeChange", &S::LargeChange, &S::SetLargeChange);
  c.Boolean("Both", &S::Both, &S::SetBoth);
  c.Integer("BothMarkerWidth", &S::BothMarkerWidth, &S::SetBothMarkerWidth);
  c.String("BothSkinDataName", &S::BothSkinDataName, &S::SetBothSkinDataName);
  c.Boolean("CanFocused", &S::CanFocused, &S::SetCanFocused);
  c.Event("OnChange", &S::OnChange);
  c.Event("OnLastChange", &S::OnLastChange);
  c.Event("OnUpButtonClick", &S::OnUpButtonClick);
  c.Event("OnDownButtonClick", &S::OnDownButtonClick);
  c.Event("OnPageUp", &S::OnPageUp);
  c.Event("OnPageDown", &S::OnPageDown);
  c.Event("OnMouseDown", &S::OnMouseDown);
  c.Event("OnMouseUp", &S::OnMouseUp);
  c.Event("OnMouseMove", &S::OnMouseMove);
  c.Event("OnKeyDown", &S::OnKeyDown);
  c.Event("OnKeyUp", &S::OnKeyUp);
  c.Event("OnKeyPress", &S::OnKeyPress);
}
