#include "skin/form/SkinPopupMenu.h"

#include "framework/windows/Forms.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMenu.h"

namespace {
const TCustomForm* AsForm(const TComponent* c) { return dynamic_cast<const TCustomForm*>(c); }

// The skin form of the form a component lives on.
TbsSkinForm* SkinFormOf(const TComponent* c) {
  for (const TComponent* p = c; p; p = p->Owner()) {
    if (auto* control = dynamic_cast<const TControl*>(p))
      if (TCustomForm* f = GetParentForm(const_cast<TControl*>(control)))
        if (TbsSkinForm* sf = ::FindSkinForm(f)) return sf;
    if (AsForm(p))
      if (TbsSkinForm* sf = ::FindSkinForm(p)) return sf;
  }
  return nullptr;
}
}  // namespace

TbsSkinPopupMenu::TbsSkinPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {
  OnPopupShow = [this](TPopupMenu*, const TRect& anchor) { return Show(anchor, false, nullptr, false); };
}

TbsSkinPopupMenu::~TbsSkinPopupMenu() = default;

void TbsSkinPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TPopupMenu::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FSkinData) FSkinData = nullptr;
  if (AComponent == FComponentForm) FComponentForm = nullptr;
}

void TbsSkinPopupMenu::SetSkinData(TbsSkinData* v) {
  if (FSkinData) RemoveFreeNotification(FSkinData);
  FSkinData = v;
  if (v) FreeNotification(v);
}

void TbsSkinPopupMenu::SetComponentForm(TComponent* v) {
  if (FComponentForm) RemoveFreeNotification(FComponentForm);
  FComponentForm = v;
  if (v) FreeNotification(v);
}

TbsSkinForm* TbsSkinPopupMenu::FindSkinForm() const {
  if (FComponentForm)
    if (TbsSkinForm* sf = ::FindSkinForm(FComponentForm)) return sf;
  const TComponent* owner = Owner();
  if (AsForm(owner))
    if (TbsSkinForm* sf = ::FindSkinForm(owner)) return sf;
  if (owner && AsForm(owner->Owner()))
    if (TbsSkinForm* sf = ::FindSkinForm(owner->Owner())) return sf;
  return nullptr;
}

bool TbsSkinPopupMenu::Show(TRect anchor, bool upward, TControl* opener, bool needSkin) {
  TbsSkinForm* sf = FindSkinForm();
  if (!sf || !sf->SkinMenu()) return false;
  TbsSkinData* skin = FSkinData ? FSkinData : sf->MenuSkinData();
  if (needSkin && !skin) return false;
  if (!opener) opener = dynamic_cast<TControl*>(PopupComponent());
  sf->PrepareForMenu();
  return sf->SkinMenu()->Popup(opener, skin, upward, Items(), anchor);
}

bool TbsSkinPopupMenu::PopupAt(TRect anchor, bool upward) {
  std::weak_ptr<bool> alive = FAlive;
  if (OnPopup) OnPopup(this);
  if (alive.expired()) return false;
  return Show(anchor, upward, nullptr, false);
}

void TbsSkinPopupMenu::PopupFromControl(TControl* control, int X, int Y) {
  std::weak_ptr<bool> alive = FAlive;
  if (OnPopup) OnPopup(this);
  if (alive.expired()) return;
  Show(Rect(X, Y, X, Y), false, control, true);
}

void InstallSkinPopupHandler() {
  if (TPopupMenu::PopupHandler()) return;
  TPopupMenu::SetPopupHandler([](TPopupMenu* menu, const TRect& anchor) {
    TbsSkinForm* sf = SkinFormOf(menu->PopupComponent());
    if (!sf) sf = SkinFormOf(menu->Owner());
    if (!sf || !sf->SkinMenu()) return false;
    sf->PrepareForMenu();
    return sf->SkinMenu()->Popup(dynamic_cast<TControl*>(menu->PopupComponent()), sf->MenuSkinData(), false,
                                 menu->Items(), anchor);
  });
}
