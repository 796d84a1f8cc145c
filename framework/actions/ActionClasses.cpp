#include "framework/actions/ActionClasses.h"

#include "framework/actions/Action.h"
#include "framework/layout/ClassRegistry.h"

void RegisterActionClasses() {
  TClassRegistry& r = ClassRegistry();
  auto b = r.RegisterRootClass<TBasicAction>("TBasicAction", "TComponent");
  b.Event("OnExecute", &TBasicAction::OnExecute);
  b.Event("OnUpdate", &TBasicAction::OnUpdate);

  using A = TAction;
  auto a = r.RegisterClass<A>("TAction", "TBasicAction");
  a.String("Caption", &A::Caption, &A::SetCaption);
  a.Boolean("Checked", &A::Checked, &A::SetChecked);
  a.Boolean("Enabled", &A::Enabled, &A::SetEnabled);
  a.String("Hint", &A::Hint, &A::SetHint);
  a.Integer("ImageIndex", &A::ImageIndex, &A::SetImageIndex);
  a.Integer("ShortCut", &A::ShortCut, &A::SetShortCut);
  a.Boolean("Visible", &A::Visible, &A::SetVisible);
  a.Integer("GroupIndex", &A::GroupIndex, &A::SetGroupIndex);
  a.Boolean("AutoCheck", &A::AutoCheck, &A::SetAutoCheck);
}
