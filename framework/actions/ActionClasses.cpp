#include "framework/actions/ActionClasses.h"

#include "framework/actions/Action.h"
#include "framework/layout/ClassRegistry.h"

void RegisterActionClasses() {
  TClassRegistry& r = ClassRegistry();
  auto b = r.RegisterRootClass<TBasicAction>("TBasicAction", "TComponent");
  b.Event("OnExecute", [](TBasicAction* o, TNotifyEvent e) { o->OnExecute = e; });
  b.Event("OnUpdate", [](TBasicAction* o, TNotifyEvent e) { o->OnUpdate = e; });

  auto a = r.RegisterClass<TAction>("TAction", "TBasicAction");
  a.String("Caption", [](TAction* o, const std::string& v) { o->SetCaption(v); }, [](const TAction* o) { return o->Caption(); });
  a.Boolean("Checked", [](TAction* o, bool v) { o->SetChecked(v); }, [](const TAction* o) { return o->Checked(); });
  a.Boolean("Enabled", [](TAction* o, bool v) { o->SetEnabled(v); }, [](const TAction* o) { return o->Enabled(); });
  a.String("Hint", [](TAction* o, const std::string& v) { o->SetHint(v); }, [](const TAction* o) { return o->Hint(); });
  a.Integer("ImageIndex", [](TAction* o, Int64 v) { o->SetImageIndex(int(v)); }, [](const TAction* o) -> Int64 { return o->ImageIndex(); });
  a.Integer("ShortCut", [](TAction* o, Int64 v) { o->SetShortCut(TShortCut(v)); }, [](const TAction* o) -> Int64 { return o->ShortCut(); });
  a.Boolean("Visible", [](TAction* o, bool v) { o->SetVisible(v); }, [](const TAction* o) { return o->Visible(); });
  a.Integer("GroupIndex", [](TAction* o, Int64 v) { o->SetGroupIndex(int(v)); }, [](const TAction* o) -> Int64 { return o->GroupIndex(); });
  a.Boolean("AutoCheck", [](TAction* o, bool v) { o->SetAutoCheck(v); }, [](const TAction* o) { return o->AutoCheck(); });
}
