#include "tests/framework/layout/unit/LayoutTestComponents.h"

namespace layouttest {

std::vector<std::string> gLog;

void TTestData::Loaded() {
  TComponent::Loaded();
  gLog.push_back("Loaded " + Name());
}

void TTestWidget::Loaded() {
  // The reference must already be set, and reading over, when Loaded runs.
  gLog.push_back("Loaded " + Name() + (ComponentState().Contains(csReading) ? " reading" : "") +
                 (Buddy ? " buddy=" + Buddy->Name() : ""));
  TComponent::Loaded();
}

void TTestWidget::Notification(TComponent* c, TOperation op) {
  TComponent::Notification(c, op);
  if (op == opRemove && c == Buddy) Buddy = nullptr;
}

void TTestWidget::SetBuddy(TTestWidget* w) {
  Buddy = w;
  if (w) {
    BuddyWasLoadingWhenSet = w->ComponentState().Contains(csLoading);
    w->FreeNotification(this);
  }
}

void TTestForm::Loaded() {
  gLog.push_back("Loaded " + Name());
  TComponent::Loaded();
}

void RegisterTestClasses(TClassRegistry& r) {
  r.RegisterClass<TComponent>("TComponent", "");
  auto form = r.RegisterRootClass<TTestForm>("TTestForm", "TComponent");
  form.Integer("Left", &TTestForm::Left, &TTestForm::Left)
      .String("Caption", &TTestForm::Caption, &TTestForm::Caption)
      .EventNamed("OnCreate", [](const TTestForm* f) { return f->OnCreateName; },
                  [](TTestForm* f, TNotifyEvent e, const std::string& method) {
                    f->OnCreate = e;
                    f->OnCreateName = method;
                  });
  r.RegisterMethod("TTestForm", "ButtonClick", [](TComponent* root) -> TNotifyEvent {
    auto* f = static_cast<TTestForm*>(root);
    return [f](TObject* s) { f->ButtonClick(s); };
  });
  r.RegisterMethod("TTestForm", "FormCreate", [](TComponent* root) -> TNotifyEvent {
    auto* f = static_cast<TTestForm*>(root);
    return [f](TObject* s) { f->FormCreate(s); };
  });
  // A method of another type than the events of this test expect.
  r.RegisterMethodOf<std::function<void(int)>>("TTestForm", "IntHandler",
                                               [](TComponent*) { return std::function<void(int)>([](int) {}); });

  auto data = r.RegisterClass<TTestData>("TTestData", "TComponent");
  data.Binary("CompressedData", &TTestData::Data, &TTestData::Data)
      .String("FileName", &TTestData::FileName, &TTestData::FileName);

  using W = TTestWidget;
  auto w = r.RegisterClass<W>("TTestWidget", "TComponent");
  w.Integer("Left", &W::Left,
            [](W* x, Int64 v) {
              if (!x->SawFirstProperty) x->StateAtFirstProperty = x->ComponentState();
              x->SawFirstProperty = true;
              x->Left = int(v);
            })
      .Integer("Color", &W::Color, &W::Color, {{"clRed", 0xFF}, {"clBtnFace", -16777201}})
      .Float("Ratio", &W::Ratio, &W::Ratio)
      .String("Caption", &W::Caption, &W::Caption)
      .Boolean("Visible", &W::Visible, &W::Visible)
      .Enum("Align", &W::Align, &W::Align, {{"alNone", 0}, {"alTop", 1}, {"alClient", 5}})
      .Set("Anchors", &W::Anchors, &W::Anchors, {{"akLeft", 0}, {"akTop", 1}, {"akRight", 2}, {"akBottom", 3}})
      .String("Font.Name", &W::FontName, &W::FontName)
      .Set("Font.Style", &W::FontStyle, &W::FontStyle, {{"fsBold", 0}, {"fsItalic", 1}, {"fsUnderline", 2}})
      .StringList("Items.Strings", &W::Items, &W::Items)
      .Binary("ControlData", &W::Data, &W::Data)
      .Reference("Buddy", &W::Buddy, &W::SetBuddy)
      .Reference("Source", &W::Source, &W::Source)
      .EventNamed("OnClick", [](const W* x) { return x->OnClick ? x->OnClickName : std::string(); },
                  [](W* x, TNotifyEvent e, const std::string& method) {
                    x->OnClick = e;
                    x->OnClickName = method;
                  });
  r.SetParentHandler([](TComponent* child, TComponent* parent) {
    if (auto* w = dynamic_cast<TTestWidget*>(child)) w->ParentComponent = parent;
  });
  r.SetParentGetter([](const TComponent* child) -> TComponent* {
    auto* w = dynamic_cast<const TTestWidget*>(child);
    return w ? w->ParentComponent : nullptr;
  });
}

}  // namespace layouttest
