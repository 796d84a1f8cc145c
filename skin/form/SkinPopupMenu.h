#pragma once
// TbsSkinPopupMenu: a popup menu shown by the skin menu engine of a skinned form. Any
// control may use it; it finds the skin form on its ComponentForm, else on its owner or
// its owner's owner, and pops its items up there. Without a skin form nothing shows.
#include "framework/core/Types.h"
#include "framework/menus/PopupMenu.h"

class TbsSkinData;
class TbsSkinForm;
class TControl;

class TbsSkinPopupMenu : public TPopupMenu {
 public:
  explicit TbsSkinPopupMenu(TComponent* AOwner);
  ~TbsSkinPopupMenu() override;
  std::string ClassName() const override { return "TbsSkinPopupMenu"; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TbsSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TbsSkinData* v);
  // The form whose skin form shows the menu (default: the owner's form).
  TComponent* ComponentForm() const { return FComponentForm; }
  void SetComponentForm(TComponent* v);

  // The skin form that shows this menu (nullptr when none).
  TbsSkinForm* FindSkinForm() const;
  // Pops up under a rectangle (caption buttons), upward on request; true when it opened.
  bool PopupAt(TRect anchor, bool upward);
  // For controls: pops up at a point only when skin data was found.
  void PopupFromControl(TControl* control, int X, int Y);

 private:
  bool Show(TRect anchor, bool upward, TControl* opener, bool needSkin);
  TbsSkinData* FSkinData = nullptr;
  TComponent* FComponentForm = nullptr;
};

// Makes the skin menu engine show every plain popup menu of a form that has a skin
// form (the program-wide popup handler); keeps a handler already installed.
void InstallSkinPopupHandler();
