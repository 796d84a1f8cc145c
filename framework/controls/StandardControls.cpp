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

const TIdentMap kModalResultIdents = {
    {"mrNone", mrNone}, {"mrOk", mrOk}, {"mrCancel", mrCancel}, {"mrAbort", mrAbort},
    {"mrRetry", mrRetry}, {"mrIgnore", mrIgnore}, {"mrYes", mrYes}, {"mrNo", mrNo},
    {"mrAll", mrAll}, {"mrNoToAll", mrNoToAll}, {"mrYesToAll", mrYesToAll}};

namespace {
template <class T>
void CaptionOf(TClassBuilder<T>& c) {
  c.String("Caption", &T::Caption, &T::SetCaption);
}

// The abstract bases the controls hang from, unless their own registration came first.
void EnsureBase(TClassRegistry& r, const char* name, const char* parent) {
  if (!r.IsRegistered(name)) r.RegisterClass(name, parent, TComponentFactory{});
}

void RegisterLabel(TClassRegistry& r) {
  using L = TLabel;
  auto c = r.RegisterClass<L>("TLabel", "TGraphicControl");
  CaptionOf(c);
  c.Boolean("AutoSize", &L::AutoSize, &L::SetAutoSize);
  c.Enum("Alignment", &L::Alignment, &L::SetAlignment, {{"taLeftJustify", 0}, {"taRightJustify", 1}, {"taCenter", 2}});
  c.Enum("Layout", &L::Layout, &L::SetLayout, {{"tlTop", 0}, {"tlCenter", 1}, {"tlBottom", 2}});
  c.Boolean("Transparent", &L::Transparent, &L::SetTransparent);
  c.Boolean("WordWrap", &L::WordWrap, &L::SetWordWrap);
  c.Boolean("ShowAccelChar", &L::ShowAccelChar, &L::SetShowAccelChar);
  c.Reference("FocusControl", &L::FocusControl, &L::SetFocusControl);
}

void RegisterButton(TClassRegistry& r) {
  using B = TButton;
  auto c = r.RegisterClass<B>("TButton", "TWinControl");
  CaptionOf(c);
  c.Boolean("Default", &B::Default, &B::SetDefault);
  c.Boolean("Cancel", &B::Cancel, &B::SetCancel);
  c.Integer("ModalResult", &B::ModalResult, &B::SetModalResult, kModalResultIdents);
  c.Event("OnClick", &B::OnClick);
}

void RegisterRadioGroup(TClassRegistry& r) {
  using G = TRadioGroup;
  auto c = r.RegisterClass<G>("TRadioGroup", "TCustomControl");
  CaptionOf(c);
  c.StringList("Items.Strings", &G::Items);
  c.Integer("ItemIndex", &G::ItemIndex, &G::SetItemIndex);
  c.Integer("Columns", &G::Columns, &G::SetColumns);
  c.Event("OnClick", &G::OnClick);
}

void RegisterTrackBar(TClassRegistry& r) {
  using B = TTrackBar;
  auto c = r.RegisterClass<B>("TTrackBar", "TWinControl");
  c.Integer("Min", &B::Min, &B::SetMin);
  c.Integer("Max", &B::Max, &B::SetMax);
  c.Integer("Position", &B::Position, &B::SetPosition);
  c.Enum("Orientation", &B::Orientation, &B::SetOrientation, {{"trHorizontal", 0}, {"trVertical", 1}});
  c.Integer("Frequency", &B::Frequency, &B::SetFrequency);
  c.Enum("TickStyle", &B::TickStyle, &B::SetTickStyle, {{"tsNone", 0}, {"tsAuto", 1}, {"tsManual", 2}});
  c.Enum("TickMarks", &B::TickMarks, &B::SetTickMarks, {{"tmBottomRight", 0}, {"tmTopLeft", 1}, {"tmBoth", 2}});
  c.Integer("LineSize", &B::LineSize, &B::SetLineSize);
  c.Integer("PageSize", &B::PageSize, &B::SetPageSize);
  c.Integer("ThumbLength", &B::ThumbLength, &B::SetThumbLength);
  c.Boolean("SliderVisible", &B::SliderVisible, &B::SetSliderVisible);
  c.Event("OnChange", &B::OnChange);
}

void RegisterBevel(TClassRegistry& r) {
  using B = TBevel;
  auto c = r.RegisterClass<B>("TBevel", "TGraphicControl");
  c.Enum("Shape", &B::Shape, &B::SetShape,
         {{"bsBox", bsBox}, {"bsFrame", bsFrame}, {"bsTopLine", bsTopLine}, {"bsBottomLine", bsBottomLine},
          {"bsLeftLine", bsLeftLine}, {"bsRightLine", bsRightLine}, {"bsSpacer", bsSpacer}});
  c.Enum("Style", &B::Style, &B::SetStyle, {{"bsLowered", bsLowered}, {"bsRaised", bsRaised}});
}

void RegisterEdit(TClassRegistry& r) {
  using E = TEdit;
  auto c = r.RegisterClass<E>("TEdit", "TWinControl");
  c.String("Text", &E::Text, &E::SetText);
  c.Integer("MaxLength", &E::MaxLength, &E::SetMaxLength);
  c.Boolean("ReadOnly", &E::ReadOnly, &E::SetReadOnly);
  c.String("PasswordChar", PasswordCharText<E>, SetPasswordCharText<E>);
  c.Event("OnChange", &E::OnChange);
}

void RegisterOpenDialog(TClassRegistry& r) {
  using D = TOpenDialog;
  auto c = r.RegisterClass<D>("TOpenDialog", "TComponent");
  c.String("Title", &D::Title, &D::SetTitle);
  c.String("Filter", &D::Filter, &D::SetFilter);
  c.Integer("FilterIndex", &D::FilterIndex, &D::SetFilterIndex);
  c.String("FileName", &D::FileName, &D::SetFileName);
  c.String("InitialDir", &D::InitialDir, &D::SetInitialDir);
  c.String("DefaultExt", &D::DefaultExt, &D::SetDefaultExt);
  TIdentMap options;
  for (size_t i = 0; i < OpenOptionNames().size(); ++i) options.emplace_back(OpenOptionNames()[i], Int64(i));
  c.Set("Options", &D::Options, &D::SetOptions, options);
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
