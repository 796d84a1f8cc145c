// The skin form's hint component and tray icon.
#include "framework/windows/Application.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinHint.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/form/SkinTrayIcon.h"

void TbsSkinForm::SetSkinHint(TbsSkinHint* v) {
  if (FSkinHint) RemoveFreeNotification(FSkinHint);
  FSkinHint = v;
  if (v) FreeNotification(v);
}

TbsTrayIcon* TbsSkinForm::TrayIcon() const { return dynamic_cast<TbsTrayIcon*>(FTrayLink); }

void TbsSkinForm::SetTrayIcon(TbsTrayIcon* v) {
  if (TbsTrayIcon* old = TrayIcon(); old && old != v) old->LinkSkinForm(nullptr);
  SetTrayLink(v);
  const bool designing = ComponentState().Contains(csDesigning);
  if (!v) {
    if (designing) SetBorderIcons(FBorderIcons - biMinimizeToTray);
    return;
  }
  v->LinkSkinForm(this);
  if (!FAlwaysShowInTray) v->SetIconVisible(false);
  v->SetMinimizeToTray(false);
  if (designing && !IsLoading()) SetBorderIcons(FBorderIcons + biMinimizeToTray);
  if (!designing && !v->PopupMenu()) {
    v->SetPopupMenu(TrayMenu());
    std::weak_ptr<bool> alive = FAlive;
    v->OnDblClick = [this, alive](TObject*) {
      if (!alive.expired()) RestoreFromTray();
    };
  }
}

void TbsSkinForm::ShowObjectHintOf(const std::string& hint, bool show) {
  if (!FShowObjectHint || !FSkinHint || hint.empty()) return;
  if (show) FSkinHint->ActivateHint(hint);
  else FSkinHint->HideHint();
}

void TbsSkinForm::HideObjectHint() {
  if (FShowObjectHint && FSkinHint) FSkinHint->HideHint();
}
