#include "framework/controls/StandardControls.h"

#include "framework/controls/Bevel.h"
#include "framework/controls/Button.h"
#include "framework/controls/CustomEdit.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListViewRegistration.h"
#include "framework/controls/OpenDialog.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/TrackBar.h"
#include "framework/layout/ClassRegistry.h"

namespace {
const TIdentMap kModalResults = {
    {"mrNone", mrNone}, {"mrOk", mrOk}, {"mrCancel", mrCancel}, {"mrAbort", mrAbort},
    {"mrRetry", mrRetry}, {"mrIgnore", mrIgnore}, {"mrYes", mrYes}, {"mrNo", mrNo},
    {"mrAll", mrAll}, {"mrNoToAll", mrNoToAll}, {"mrYesToAll", mrYesToAll}};

template <class T>
void CaptionOf(TClassBuilder<T>& c) {
  c.String("Caption", [](T* t, const std::string& v) { t->SetCaption(v); },
           [](const T* t) { return t->Caption(); });
}

// The abstract bases the controls hang from, unless their own registration came first.
void EnsureBase(TClassRegistry& r, const char* name, const char* parent) {
  if (!r.IsRegistered(name)) r.RegisterClass(name, parent, TComponentFactory{});
}

void RegisterLabel(TClassRegistry& r) {
  auto c = r.RegisterClass<TLabel>("TLabel", "TGraphicControl");
  CaptionOf(c);
  c.Boolean("AutoSize", [](TLabel* l, bool v) { l->SetAutoSize(v); }, [](const TLabel* l) { return l->AutoSize(); });
  c.Enum("Alignment", {{"taLeftJustify", 0}, {"taRightJustify", 1}, {"taCenter", 2}},
         [](TLabel* l, int v) { l->SetAlignment(TAlignment(v)); },
         [](const TLabel* l) { return int(l->Alignment()); });
  c.Enum("Layout", {{"tlTop", 0}, {"tlCenter", 1}, {"tlBottom", 2}},
         [](TLabel* l, int v) { l->SetLayout(TTextLayout(v)); }, [](const TLabel* l) { return int(l->Layout()); });
  c.Boolean("Transparent", [](TLabel* l, bool v) { l->SetTransparent(v); },
            [](const TLabel* l) { return l->Transparent(); });
  c.Boolean("WordWrap", [](TLabel* l, bool v) { l->SetWordWrap(v); }, [](const TLabel* l) { return l->WordWrap(); });
  c.Boolean("ShowAccelChar", [](TLabel* l, bool v) { l->SetShowAccelChar(v); },
            [](const TLabel* l) { return l->ShowAccelChar(); });
  c.Reference<TWinControl>("FocusControl", [](TLabel* l, TWinControl* w) { l->SetFocusControl(w); },
                           [](const TLabel* l) { return l->FocusControl(); });
}

void RegisterButton(TClassRegistry& r) {
  auto c = r.RegisterClass<TButton>("TButton", "TWinControl");
  CaptionOf(c);
  c.Boolean("Default", [](TButton* b, bool v) { b->SetDefault(v); }, [](const TButton* b) { return b->Default(); });
  c.Boolean("Cancel", [](TButton* b, bool v) { b->SetCancel(v); }, [](const TButton* b) { return b->Cancel(); });
  c.Integer("ModalResult", [](TButton* b, Int64 v) { b->SetModalResult(TModalResult(v)); },
            [](const TButton* b) -> Int64 { return b->ModalResult(); }, kModalResults);
  c.Event("OnClick", std::function<void(TButton*, TNotifyEvent)>([](TButton* b, TNotifyEvent e) { b->OnClick = std::move(e); }));
}

void RegisterRadioGroup(TClassRegistry& r) {
  auto c = r.RegisterClass<TRadioGroup>("TRadioGroup", "TCustomControl");
  CaptionOf(c);
  c.StringList("Items.Strings",
               [](TRadioGroup* g, const std::vector<std::string>& v) {
                 TStrings* items = g->Items();
                 items->BeginUpdate();
                 items->Clear();
                 for (const std::string& s : v) items->Add(s);
                 items->EndUpdate();
               },
               [](const TRadioGroup* g) { return g->Items()->ToVector(); });
  c.Integer("ItemIndex", [](TRadioGroup* g, Int64 v) { g->SetItemIndex(int(v)); },
            [](const TRadioGroup* g) -> Int64 { return g->ItemIndex(); });
  c.Integer("Columns", [](TRadioGroup* g, Int64 v) { g->SetColumns(int(v)); },
            [](const TRadioGroup* g) -> Int64 { return g->Columns(); });
  c.Event("OnClick",
          std::function<void(TRadioGroup*, TNotifyEvent)>([](TRadioGroup* g, TNotifyEvent e) { g->OnClick = std::move(e); }));
}

void RegisterTrackBar(TClassRegistry& r) {
  auto c = r.RegisterClass<TTrackBar>("TTrackBar", "TWinControl");
  c.Integer("Min", [](TTrackBar* t, Int64 v) { t->SetMin(int(v)); }, [](const TTrackBar* t) -> Int64 { return t->Min(); });
  c.Integer("Max", [](TTrackBar* t, Int64 v) { t->SetMax(int(v)); }, [](const TTrackBar* t) -> Int64 { return t->Max(); });
  c.Integer("Position", [](TTrackBar* t, Int64 v) { t->SetPosition(int(v)); },
            [](const TTrackBar* t) -> Int64 { return t->Position(); });
  c.Enum("Orientation", {{"trHorizontal", 0}, {"trVertical", 1}},
         [](TTrackBar* t, int v) { t->SetOrientation(TTrackBarOrientation(v)); },
         [](const TTrackBar* t) { return int(t->Orientation()); });
  c.Integer("Frequency", [](TTrackBar* t, Int64 v) { t->SetFrequency(int(v)); },
            [](const TTrackBar* t) -> Int64 { return t->Frequency(); });
  c.Enum("TickStyle", {{"tsNone", 0}, {"tsAuto", 1}, {"tsManual", 2}},
         [](TTrackBar* t, int v) { t->SetTickStyle(TTickStyle(v)); }, [](const TTrackBar* t) { return int(t->TickStyle()); });
  c.Enum("TickMarks", {{"tmBottomRight", 0}, {"tmTopLeft", 1}, {"tmBoth", 2}},
         [](TTrackBar* t, int v) { t->SetTickMarks(TTickMark(v)); }, [](const TTrackBar* t) { return int(t->TickMarks()); });
  c.Integer("LineSize", [](TTrackBar* t, Int64 v) { t->SetLineSize(int(v)); },
            [](const TTrackBar* t) -> Int64 { return t->LineSize(); });
  c.Integer("PageSize", [](TTrackBar* t, Int64 v) { t->SetPageSize(int(v)); },
            [](const TTrackBar* t) -> Int64 { return t->PageSize(); });
  c.Integer("ThumbLength", [](TTrackBar* t, Int64 v) { t->SetThumbLength(int(v)); },
            [](const TTrackBar* t) -> Int64 { return t->ThumbLength(); });
  c.Boolean("SliderVisible", [](TTrackBar* t, bool v) { t->SetSliderVisible(v); },
            [](const TTrackBar* t) { return t->SliderVisible(); });
  c.Event("OnChange",
          std::function<void(TTrackBar*, TNotifyEvent)>([](TTrackBar* t, TNotifyEvent e) { t->OnChange = std::move(e); }));
}

void RegisterBevel(TClassRegistry& r) {
  auto c = r.RegisterClass<TBevel>("TBevel", "TGraphicControl");
  c.Enum("Shape",
         {{"bsBox", bsBox}, {"bsFrame", bsFrame}, {"bsTopLine", bsTopLine}, {"bsBottomLine", bsBottomLine},
          {"bsLeftLine", bsLeftLine}, {"bsRightLine", bsRightLine}, {"bsSpacer", bsSpacer}},
         [](TBevel* b, int v) { b->SetShape(TBevelShape(v)); }, [](const TBevel* b) { return int(b->Shape()); });
  c.Enum("Style", {{"bsLowered", bsLowered}, {"bsRaised", bsRaised}},
         [](TBevel* b, int v) { b->SetStyle(TBevelStyle(v)); }, [](const TBevel* b) { return int(b->Style()); });
}

void RegisterEdit(TClassRegistry& r) {
  auto c = r.RegisterClass<TEdit>("TEdit", "TWinControl");
  c.String("Text", [](TEdit* e, const std::string& v) { e->SetText(v); }, [](const TEdit* e) { return e->Text(); });
  c.Integer("MaxLength", [](TEdit* e, Int64 v) { e->SetMaxLength(int(v)); },
            [](const TEdit* e) -> Int64 { return e->MaxLength(); });
  c.Boolean("ReadOnly", [](TEdit* e, bool v) { e->SetReadOnly(v); }, [](const TEdit* e) { return e->ReadOnly(); });
  c.String("PasswordChar", [](TEdit* e, const std::string& v) { e->SetPasswordChar(PasswordCharFromText(v)); },
           [](const TEdit* e) { return PasswordCharToText(e->PasswordChar()); });
  c.Event("OnChange", std::function<void(TEdit*, TNotifyEvent)>([](TEdit* e, TNotifyEvent h) { e->OnChange = std::move(h); }));
}

void RegisterOpenDialog(TClassRegistry& r) {
  auto c = r.RegisterClass<TOpenDialog>("TOpenDialog", "TComponent");
  c.String("Title", [](TOpenDialog* d, const std::string& v) { d->SetTitle(v); },
           [](const TOpenDialog* d) { return d->Title(); });
  c.String("Filter", [](TOpenDialog* d, const std::string& v) { d->SetFilter(v); },
           [](const TOpenDialog* d) { return d->Filter(); });
  c.Integer("FilterIndex", [](TOpenDialog* d, Int64 v) { d->SetFilterIndex(int(v)); },
            [](const TOpenDialog* d) -> Int64 { return d->FilterIndex(); });
  c.String("FileName", [](TOpenDialog* d, const std::string& v) { d->SetFileName(v); },
           [](const TOpenDialog* d) { return d->FileName(); });
  c.String("InitialDir", [](TOpenDialog* d, const std::string& v) { d->SetInitialDir(v); },
           [](const TOpenDialog* d) { return d->InitialDir(); });
  c.String("DefaultExt", [](TOpenDialog* d, const std::string& v) { d->SetDefaultExt(v); },
           [](const TOpenDialog* d) { return d->DefaultExt(); });
  TIdentMap options;
  for (size_t i = 0; i < OpenOptionNames().size(); ++i) options.emplace_back(OpenOptionNames()[i], Int64(i));
  c.Set("Options", options, [](TOpenDialog* d, std::uint64_t bits) { d->SetOptions(TOpenOptions::FromBits(bits)); },
        [](const TOpenDialog* d) { return d->Options().Bits(); });
}
}  // namespace

void RegisterStandardControls(TClassRegistry& registry) {
  EnsureBase(registry, "TComponent", "");
  EnsureBase(registry, "TControl", "TComponent");
  EnsureBase(registry, "TWinControl", "TControl");
  EnsureBase(registry, "TCustomControl", "TWinControl");
  EnsureBase(registry, "TGraphicControl", "TControl");
  RegisterLabel(registry);
  RegisterButton(registry);
  RegisterRadioGroup(registry);
  RegisterTrackBar(registry);
  RegisterOpenDialog(registry);
  RegisterBevel(registry);
  RegisterEdit(registry);
  RegisterListView(registry);
}

void RegisterStandardControls() { RegisterStandardControls(ClassRegistry()); }
