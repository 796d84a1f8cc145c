#include "skin/controls/SkinScrollBarRegistration.h"

#include "framework/layout/ClassRegistry.h"
#include "skin/controls/SkinScrollBar.h"

void RegisterSkinScrollBarClass(TClassRegistry& r) {
  using S = TbsSkinScrollBar;
  auto c = r.RegisterClass<S>("TbsSkinScrollBar", "TbsSkinCustomControl");
  c.Enum("Kind", {{"sbHorizontal", sbHorizontal}, {"sbVertical", sbVertical}},
         [](S* s, int v) { s->SetKind(TScrollBarKind(v)); }, [](const S* s) { return int(s->Kind()); });
  c.Integer("Min", [](S* s, Int64 v) { s->SetMin(int(v)); }, [](const S* s) -> Int64 { return s->Min(); });
  c.Integer("Max", [](S* s, Int64 v) { s->SetMax(int(v)); }, [](const S* s) -> Int64 { return s->Max(); });
  c.Integer("PageSize", [](S* s, Int64 v) { s->SetPageSize(int(v)); },
            [](const S* s) -> Int64 { return s->PageSize(); });
  c.Integer("Position", [](S* s, Int64 v) { s->SetPosition(int(v)); },
            [](const S* s) -> Int64 { return s->Position(); });
  c.Integer("SmallChange", [](S* s, Int64 v) { s->SetSmallChange(int(v)); },
            [](const S* s) -> Int64 { return s->SmallChange(); });
  c.Integer("LargeChange", [](S* s, Int64 v) { s->SetLargeChange(int(v)); },
            [](const S* s) -> Int64 { return s->LargeChange(); });
  c.Boolean("Both", [](S* s, bool v) { s->SetBoth(v); }, [](const S* s) { return s->Both(); });
  c.Integer("BothMarkerWidth", [](S* s, Int64 v) { s->SetBothMarkerWidth(int(v)); },
            [](const S* s) -> Int64 { return s->BothMarkerWidth(); });
  c.String("BothSkinDataName", [](S* s, const std::string& v) { s->SetBothSkinDataName(v); },
           [](const S* s) { return s->BothSkinDataName(); });
  c.Boolean("CanFocused", [](S* s, bool v) { s->SetCanFocused(v); }, [](const S* s) { return s->CanFocused(); });
  c.Event("OnChange", [](S* s, TNotifyEvent e) { s->OnChange = std::move(e); });
  c.Event("OnLastChange", [](S* s, TNotifyEvent e) { s->OnLastChange = std::move(e); });
  c.Event("OnUpButtonClick", [](S* s, TNotifyEvent e) { s->OnUpButtonClick = std::move(e); });
  c.Event("OnDownButtonClick", [](S* s, TNotifyEvent e) { s->OnDownButtonClick = std::move(e); });
  c.Event("OnPageUp", [](S* s, TNotifyEvent e) { s->OnPageUp = std::move(e); });
  c.Event("OnPageDown", [](S* s, TNotifyEvent e) { s->OnPageDown = std::move(e); });
  c.Event<TMouseEvent>("OnMouseDown", [](S* s, TMouseEvent e) { s->OnMouseDown = std::move(e); });
  c.Event<TMouseEvent>("OnMouseUp", [](S* s, TMouseEvent e) { s->OnMouseUp = std::move(e); });
  c.Event<TMouseMoveEvent>("OnMouseMove", [](S* s, TMouseMoveEvent e) { s->OnMouseMove = std::move(e); });
  c.Event<TKeyEvent>("OnKeyDown", [](S* s, TKeyEvent e) { s->OnKeyDown = std::move(e); });
  c.Event<TKeyEvent>("OnKeyUp", [](S* s, TKeyEvent e) { s->OnKeyUp = std::move(e); });
  c.Event<TKeyPressEvent>("OnKeyPress", [](S* s, TKeyPressEvent e) { s->OnKeyPress = std::move(e); });
}
