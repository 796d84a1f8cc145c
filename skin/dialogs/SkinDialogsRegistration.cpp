#include "skin/dialogs/SkinDialogsRegistration.h"

#include <algorithm>

#include "framework/controls/StandardControls.h"
#include "framework/graphics/ImageList.h"
#include "framework/layout/ClassRegistry.h"
#include "skin/controls/SkinRegistrationSupport.h"
#include "skin/dialogs/SkinComboBox.h"
#include "skin/dialogs/SkinEdit.h"
#include "skin/dialogs/SkinOpenDialog.h"
#include "skin/data/SkinData.h"

namespace {
// Opacities beyond a byte are cut to 0..255, not wrapped.
template <class C>
auto ClampedByte(void (C::*set)(Byte)) {
  return [set](C* c, Int64 v) { (c->*set)(Byte(std::clamp<Int64>(v, 0, 255))); };
}

void RegisterComboBox(TClassRegistry& r) {
  using C = TbsSkinComboBox;
  auto c = r.RegisterClass<C>("TbsSkinComboBox", "TbsSkinCustomControl");
  c.StringList("Items.Strings", &C::Items);
  c.Integer("ItemIndex", &C::ItemIndex, &C::SetItemIndex);
  c.String("Text", &C::Text, &C::SetText);
  c.Enum("Style", &C::Style, &C::SetStyle, {{"bscbFixedStyle", bscbFixedStyle}, {"bscbEditStyle", bscbEditStyle}});
  c.Integer("DropDownCount", &C::DropDownCount, &C::SetDropDownCount);
  c.Boolean("AutoComplete", &C::AutoComplete, &C::SetAutoComplete);
  c.Boolean("HideSelection", &C::HideSelection, &C::SetHideSelection);
  c.Integer("ListBoxWidth", &C::ListBoxWidth, &C::SetListBoxWidth);
  c.Boolean("AlphaBlend", &C::AlphaBlend, &C::SetAlphaBlend);
  c.Integer("AlphaBlendValue", &C::AlphaBlendValue, ClampedByte(&C::SetAlphaBlendValue));
  c.Boolean("AlphaBlendAnimation", &C::AlphaBlendAnimation, &C::SetAlphaBlendAnimation);
  c.Reference("Images", &C::Images, &C::SetImages);
  c.Integer("ImageIndex", &C::ImageIndex, &C::SetImageIndex);
  c.Event("OnChange", &C::OnChange);
  c.Event("OnClick", &C::OnClick);
  c.Event("OnDropDown", &C::OnDropDown);
  c.Event("OnCloseUp", &C::OnCloseUp);
  RegisterSkinMouseAndKeyEvents(c, true);
}

void RegisterEdit(TClassRegistry& r) {
  using E = TbsSkinEdit;
  auto c = r.RegisterClass<E>("TbsSkinEdit", "TbsSkinCustomControl");
  c.String("Text", &E::Text, &E::SetText);
  c.Integer("MaxLength", &E::MaxLength, &E::SetMaxLength);
  c.Boolean("ReadOnly", &E::ReadOnly, &E::SetReadOnly);
  c.String("PasswordChar", PasswordCharText<E>, SetPasswordCharText<E>);
  c.Event("OnChange", &E::OnChange);
  RegisterSkinMouseAndKeyEvents(c, true);
}

void RegisterOpenDialog(TClassRegistry& r) {
  using D = TbsSkinOpenDialog;
  auto c = r.RegisterClass<D>("TbsSkinOpenDialog", "TComponent");
  c.String("Title", &D::Title, &D::SetTitle);
  c.String("InitialDir", &D::InitialDir, &D::SetInitialDir);
  c.String("Filter", &D::Filter, &D::SetFilter);
  c.Integer("FilterIndex", &D::FilterIndex, &D::SetFilterIndex);
  c.String("FileName", &D::FileName, &D::SetFileName);
  c.Boolean("CheckFileExists", &D::CheckFileExists, &D::SetCheckFileExists);
  c.Boolean("MultiSelection", &D::MultiSelection, &D::SetMultiSelection);
  c.Reference("SkinData", &D::SkinData, &D::SetSkinData);
  c.Reference("CtrlSkinData", &D::CtrlSkinData, &D::SetCtrlSkinData);
  RegisterFontProperties(c, "DefaultFont", &D::DefaultFont, kSkinColorIdents);
  c.String("LVHeaderSkinDataName", &D::LVHeaderSkinDataName, &D::SetLVHeaderSkinDataName);
  c.Boolean("AlphaBlend", &D::AlphaBlend, &D::SetAlphaBlend);
  c.Integer("AlphaBlendValue", &D::AlphaBlendValue, ClampedByte(&D::SetAlphaBlendValue));
  c.Boolean("AlphaBlendAnimation", &D::AlphaBlendAnimation, &D::SetAlphaBlendAnimation);
  c.Boolean("CtrlAlphaBlend", &D::CtrlAlphaBlend, &D::SetCtrlAlphaBlend);
  c.Integer("CtrlAlphaBlendValue", &D::CtrlAlphaBlendValue, ClampedByte(&D::SetCtrlAlphaBlendValue));
  c.Boolean("CtrlAlphaBlendAnimation", &D::CtrlAlphaBlendAnimation, &D::SetCtrlAlphaBlendAnimation);
  c.Event("OnFolderChange", &D::OnFolderChange);
}
}  // namespace

void RegisterSkinDialogClasses(TClassRegistry& registry) {
  RegisterComboBox(registry);
  RegisterEdit(registry);
  RegisterOpenDialog(registry);
}

void RegisterSkinDialogClasses() { RegisterSkinDialogClasses(ClassRegistry()); }
