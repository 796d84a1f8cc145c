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
  form.Integer("Left", [](TTestForm* f, Int64 v) { f->Left = int(v); }, [](const TTestForm* f) -> Int64 { return f->Left; })
      .String("Caption", [](TTestForm* f, const std::string& v) { f->Caption = v; },
              [](const TTestForm* f) { return f->Caption; })
      .EventNamed("OnCreate",
                  [](TTestForm* f, TNotifyEvent e, const std::string& method) {
                    f->OnCreate = e;
                    f->OnCreateName = method;
                  },
             [](const TTestForm* f) { return f->OnCreateName; });
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
  data.Binary("CompressedData", [](TTestData* d, const std::vector<std::uint8_t>& v) { d->Data = v; },
              [](const TTestData* d) { return d->Data; })
      .String("FileName", [](TTestData* d, const std::string& v) { d->FileName = v; },
              [](const TTestData* d) { return d->FileName; });

  auto w = r.RegisterClass<TTestWidget>("TTestWidget", "TComponent");
  w.Integer("Left",
            [](TTestWidget* x, Int64 v) {
              if (!x->SawFirstProperty) x->StateAtFirstProperty = x->ComponentState();
              x->SawFirstProperty = true;
              x->Left = int(v);
            },
            [](const TTestWidget* x) -> Int64 { return x->Left; })
      .Integer("Color", [](TTestWidget* x, Int64 v) { x->Color = int(v); },
               [](const TTestWidget* x) -> Int64 { return x->Color; }, {{"clRed", 0xFF}, {"clBtnFace", -16777201}})
      .Float("Ratio", [](TTestWidget* x, double v) { x->Ratio = v; }, [](const TTestWidget* x) { return x->Ratio; })
      .String("Caption", [](TTestWidget* x, const std::string& v) { x->Caption = v; },
              [](const TTestWidget* x) { return x->Caption; })
      .Boolean("Visible", [](TTestWidget* x, bool v) { x->Visible = v; }, [](const TTestWidget* x) { return x->Visible; })
      .Enum("Align", {{"alNone", 0}, {"alTop", 1}, {"alClient", 5}}, [](TTestWidget* x, int v) { x->Align = v; },
            [](const TTestWidget* x) { return x->Align; })
      .Set("Anchors", {{"akLeft", 0}, {"akTop", 1}, {"akRight", 2}, {"akBottom", 3}},
           [](TTestWidget* x, std::uint64_t v) { x->Anchors = v; }, [](const TTestWidget* x) { return x->Anchors; })
      .String("Font.Name", [](TTestWidget* x, const std::string& v) { x->FontName = v; },
              [](const TTestWidget* x) { return x->FontName; })
      .Set("Font.Style", {{"fsBold", 0}, {"fsItalic", 1}, {"fsUnderline", 2}},
           [](TTestWidget* x, std::uint64_t v) { x->FontStyle = v; }, [](const TTestWidget* x) { return x->FontStyle; })
      .StringList("Items.Strings", [](TTestWidget* x, const std::vector<std::string>& v) { x->Items = v; },
                  [](const TTestWidget* x) { return x->Items; })
      .Binary("ControlData", [](TTestWidget* x, const std::vector<std::uint8_t>& v) { x->Data = v; },
              [](const TTestWidget* x) { return x->Data; })
      .Reference<TTestWidget>("Buddy", [](TTestWidget* x, TTestWidget* b) { x->SetBuddy(b); },
                              [](const TTestWidget* x) { return x->Buddy; })
      .Reference("Source", [](TTestWidget* x, TComponent* c) { x->Source = c; },
                 [](const TTestWidget* x) { return x->Source; })
      .EventNamed("OnClick",
                  [](TTestWidget* x, TNotifyEvent e, const std::string& method) {
                    x->OnClick = e;
                    x->OnClickName = method;
                  },
             [](const TTestWidget* x) { return x->OnClick ? x->OnClickName : std::string(); });
  r.SetParentHandler([](TComponent* child, TComponent* parent) {
    if (auto* w = dynamic_cast<TTestWidget*>(child)) w->ParentComponent = parent;
  });
  r.SetParentGetter([](const TComponent* child) -> TComponent* {
    auto* w = dynamic_cast<const TTestWidget*>(child);
    return w ? w->ParentComponent : nullptr;
  });
}

}  // namespace layouttest
