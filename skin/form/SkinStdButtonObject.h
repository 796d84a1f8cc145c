#pragma once
#include "skin/form/SkinButtonObject.h"

class TbsDataSkinStdButton;

// A caption button with a window command. Without a skin record it is one of the
// default caption buttons and draws itself with the built-in glyphs.
class TbsSkinStdButtonObject : public TbsSkinButtonObject {
 public:
  TbsSkinStdButtonObject(TbsSkinForm* form, const TbsDataSkinStdButton* record);
  // A default caption button: no record, a 1 x 1 rectangle, its image its own.
  TbsSkinStdButtonObject(TbsSkinForm* form, const std::string& name, TStdCommand command);
  bool MorphPending() const override;
  void Draw(TCanvas* canvas, bool direct) override;
  void MouseDown(int X, int Y, TMouseButton Button) override;
  void MouseUp(int X, int Y, TMouseButton Button) override;
  void DblClick() override;

  // Maximise while maximised, minimise while minimised, roll-up while rolled up.
  bool InRestoreRole() const;
  // The system-menu button showing the form's small icon (ShowIcon) instead of an image.
  bool ShowsIcon() const;

  TStdCommand Command = cmDefault;
  TRect RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;
  bool Skinned = false;

 private:
  void DrawDefault(TCanvas* canvas);
  void DrawRestore(TCanvas* canvas);
};
