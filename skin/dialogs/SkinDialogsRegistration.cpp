#include "skin/dialogs/SkinDialogsRegistration.h"

#include "framework/controls/CustomEdit.h"
#include "framework/graphics/ImageList.h"
#include "framework/layout/ClassRegistry.h"
#include "skin/controls/SkinRegistrationSupport.h"
#include "skin/dialogs/SkinComboBox.h"
#include "skin/dialogs/SkinEdit.h"
#include "skin/dialogs/SkinOpenDialog.h"
#include "skin/data/SkinData.h"

namespace {
void RegisterComboBox(TClassRegistry& r) {
  using C = TbsSkinComboBox;
  auto c = r.RegisterClass<C>("TbsSkinComboBox", "TbsSkinCustomControl");
  c.StringList("Items.Strings",
               [](C* b, const std::vector<std::string>& v) {
                 TStrings* items = b->Items();
                 items->BeginUpdate();
                 items->Clear();
                 for (const std::string& s : v) items->Add(s);
                 items->EndUpdate();
               },
               [](const C* b) { return b->Items()->ToVector(); });
  c.Integer("ItemIndex", [](C* b, Int64 v) { b->SetItemIndex(int(v)); },
            [](const C* b) -> Int64 { return b->ItemIndex(); });
  c.String("Text", [](C* b, const std::string& v) { b->SetText(v); }, [](const C* b) { return b->Text(); });
  c.Enum("Style", {{"bscbFixedStyle", bscbFixedStyle}, {"bscbEditStyle", bscbEditStyle}},
         [](C* b, int v) { b->SetStyle(TbsComboBoxStyle(v)); }, [](const C* b) { return int(b->Style()); });
  c.Integer("DropDownCount", [](C* b, Int64 v) { b->SetDropDownCount(int(v)); },
            [](const C* b) -> Int64 { return b->DropDownCount(); });
  c.Boolean("AutoComplete", [](C* b, bool v) { b->SetAutoComplete(v); }, [](const C* b) { return b->AutoComplete(); });
  c.Boolean("HideSelection", [](C* b, bool v) { b->SetHideSelection(v); },
            [](const C* b) { return b->HideSelection(); });
  c.Integer("ListBoxWidth", [](C* b, Int64 v) { b->SetListBoxWidth(int(v)); },
            [](const C* b) -> Int64 { return b->ListBoxWidth(); });
  c.Boolean("AlphaBlend", [](C* b, bool v) { b->SetAlphaBlend(v); }, [](const C* b) { return b->AlphaBlend(); });
  c.Integer("AlphaBlendValue", [](C* b, Int64 v) { b->SetAlphaBlendValue(Byte(std::clamp<Int64>(v, 0, 255))); },
            [](const C* b) -> Int64 { return b->AlphaBlendValue(); });
  c.Boolean("AlphaBlendAnimation", [](C* b, bool v) { b->SetAlphaBlendAnimation(v); },
            [](const C* b) { return b->AlphaBlendAnimation(); });
  c.Reference<TImageList>("Images", [](C* b, TImageList* i) { b->SetImages(i); }, [](const C* b) { return b->Images(); });
  c.Integer("ImageIndex", [](C* b, Int64 v) { b->SetImageIndex(int(v)); },
            [](const C* b) -> Int64 { return b->ImageIndex(); });
  c.Event("OnChange", [](C* b, TNotifyEvent e) { b->OnChange = std::move(e); });
  c.Event("OnClick", [](C* b, TNotifyEvent e) { b->OnClick = std::move(e); });
  c.Event("OnDropDown", [](C* b, TNotifyEvent e) { b->OnDropDown = std::move(e); });
  c.Event("OnCloseUp", [](C* b, TNotifyEvent e) { b->OnCloseUp = std::move(e); });
  RegisterSkinMouseAndKeyEvents(c, true);
}

void RegisterEdit(TClassRegistry& r) {
  using E = TbsSkinEdit;
  auto c = r.RegisterClass<E>("TbsSkinEdit", "TbsSkinCustomControl");
  c.String("Text", [](E* e, const std::string& v) { e->SetText(v); }, [](const E* e) { return e->Text(); });
  c.Integer("MaxLength", [](E* e, Int64 v) { e->SetMaxLength(int(v)); },
            [](const E* e) -> Int64 { return e->MaxLength(); });
  c.Boolean("ReadOnly", [](E* e, bool v) { e->SetReadOnly(v); }, [](const E* e) { return e->ReadOnly(); });
  c.String("PasswordChar", [](E* e, const std::string& v) { e->SetPasswordChar(PasswordCharFromText(v)); },
           [](const E* e) { return PasswordCharToText(e->PasswordChar()); });
  c.Event("OnChange", [](E* e, TNotifyEvent h) { e->OnChange = std::move(h); });
  RegisterSkinMouseAndKeyEvents(c, true);
}

void RegisterOpenDialog(TClassRegistry& r) {
  using D = TbsSkinOpenDialog;
  auto c = r.RegisterClass<D>("TbsSkinOpenDialog", "TComponent");
  c.String("Title", [](D* d, const std::string& v) { d->SetTitle(v); }, [](const D* d) { return d->Title(); });
  c.String("InitialDir", [](D* d, const std::string& v) { d->SetInitialDir(v); },
           [](const D* d) { return d->InitialDir(); });
  c.String("Filter", [](D* d, const std::string& v) { d->SetFilter(v); }, [](const D* d) { return d->Filter(); });
  c.Integer("FilterIndex", [](D* d, Int64 v) { d->SetFilterIndex(int(v)); },
            [](const D* d) -> Int64 { return d->FilterIndex(); });
  c.String("FileName", [](D* d, const std::string& v) { d->SetFileName(v); }, [](const D* d) { return d->FileName(); });
  c.Boolean("CheckFileExists", [](D* d, bool v) { d->SetCheckFileExists(v); },
            [](const D* d) { return d->CheckFileExists(); });
  c.Boolean("MultiSelection", [](D* d, bool v) { d->SetMultiSelection(v); },
            [](const D* d) { return d->MultiSelection(); });
  c.Reference<TbsSkinData>("SkinData", [](D* d, TbsSkinData* v) { d->SetSkinData(v); },
                           [](const D* d) { return d->SkinData(); });
  c.Reference<TbsSkinData>("CtrlSkinData", [](D* d, TbsSkinData* v) { d->SetCtrlSkinData(v); },
                           [](const D* d) { return d->CtrlSkinData(); });
  RegisterSkinFontProperties<D>(
      c, "DefaultFont", [](D* d) { return d->DefaultFont(); }, [](const D* d) { return d->DefaultFont(); });
  c.String("LVHeaderSkinDataName", [](D* d, const std::string& v) { d->SetLVHeaderSkinDataName(v); },
           [](const D* d) { return d->LVHeaderSkinDataName(); });
  auto byte = [](Int64 v) { return Byte(std::clamp<Int64>(v, 0, 255)); };
  c.Boolean("AlphaBlend", [](D* d, bool v) { d->SetAlphaBlend(v); }, [](const D* d) { return d->AlphaBlend(); });
  c.Integer("AlphaBlendValue", [byte](D* d, Int64 v) { d->SetAlphaBlendValue(byte(v)); },
            [](const D* d) -> Int64 { return d->AlphaBlendValue(); });
  c.Boolean("AlphaBlendAnimation", [](D* d, bool v) { d->SetAlphaBlendAnimation(v); },
            [](const D* d) { return d->AlphaBlendAnimation(); });
  c.Boolean("CtrlAlphaBlend", [](D* d, bool v) { d->SetCtrlAlphaBlend(v); },
            [](const D* d) { return d->CtrlAlphaBlend(); });
  c.Integer("CtrlAlphaBlendValue", [byte](D* d, Int64 v) { d->SetCtrlAlphaBlendValue(byte(v)); },
            [](const D* d) -> Int64 { return d->CtrlAlphaBlendValue(); });
  c.Boolean("CtrlAlphaBlendAnimation", [](D* d, bool v) { d->SetCtrlAlphaBlendAnimation(v); },
            [](const D* d) { return d->CtrlAlphaBlendAnimation(); });
  c.Event("OnFolderChange", [](D* d, TNotifyEvent e) { d->OnFolderChange = std::move(e); });
}
}  // namespace

void RegisterSkinDialogClasses(TClassRegistry& registry) {
  RegisterComboBox(registry);
  RegisterEdit(registry);
  RegisterOpenDialog(registry);
}

void RegisterSkinDialogClasses() { RegisterSkinDialogClasses(ClassRegistry()); }
