#pragma once
// A speed button with a drop-down menu. The whole button opens the menu, or in
// TrackButtonMode only its drop-down area (the rightmost 15 pixels, or the record's
// track button rectangle); the button stays down until the menu reports its closing
// with SKINMSG_MENUCLOSED, or comes up at once when no menu opened. The menu is opened
// through the framework's popup menu, which the skin menu engine shows.
#include "framework/menus/PopupMenu.h"
#include "skin/controls/SkinSpeedButton.h"

class TbsSkinMenuSpeedButton : public TbsSkinSpeedButton {
 public:
  explicit TbsSkinMenuSpeedButton(TComponent* AOwner);
  ~TbsSkinMenuSpeedButton() override;
  std::string ClassName() const override { return "TbsSkinMenuSpeedButton"; }

  // Width of the drop-down area without a record.
  static constexpr int DropWidth = 15;

  TPopupMenu* SkinPopupMenu() const { return FSkinPopupMenu; }
  void SetSkinPopupMenu(TPopupMenu* Value);
  bool TrackButtonMode() const { return FTrackButtonMode; }
  void SetTrackButtonMode(bool Value);
  bool MenuOpen() const { return FMenuOpen; }
  // The drop-down area for the current size (button coordinates).
  TRect TrackButtonRect();

  TNotifyEvent OnShowTrackMenu;
  TNotifyEvent OnHideTrackMenu;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  bool AcceptsRecord(const TbsDataSkinControl* Record) const override;
  void ReadSkinRecord() override;
  void DrawDefaultImage(TBitmap& B) override;
  void Paint() override;
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;

 private:
  // Opens the menu at the button; false (the button released) when nothing opened.
  bool OpenMenu();
  void MenuClosed();
  // The caption and glyph area of the default look: the client without the drop area.
  TRect ContentRect() const;
  TRect ArrowRect() const;

  TPopupMenu* FSkinPopupMenu = nullptr;
  bool FTrackButtonMode = false;
  bool FMenuOpen = false;
  bool FMenuPress = false;  // the left button went down on the menu part
  TRect FTrackButtonSkinRect;
};
