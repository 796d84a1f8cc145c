#pragma once
// The link between a skinned form and the tray icon it minimises to. The tray icon
// component implements it and registers itself with TbsSkinForm::SetTrayLink; without a
// link the form's tray commands do nothing. The tray icon clears the link when it goes.
class TbsFormTrayLink {
 public:
  virtual ~TbsFormTrayLink() = default;
  // The icon's minimised-to-tray flag.
  virtual void SetMinimizeToTray(bool v) = 0;
  // Brings the application's windows back from the tray.
  virtual void RestoreApplication() = 0;
  // Takes the icon out of the tray.
  virtual void HideIcon() = 0;
};
