#pragma once
// The window-less counterpart of TbsSkinControl: a control painted on its parent's
// surface that binds to a skin data component and a record name, looks the record up
// again on every paint and paints through an off-screen bitmap with the default or the
// skinned painter. It never takes the focus.
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/windows/GraphicControl.h"
#include "skin/controls/SkinChangeClient.h"

class TbsSkinData;
class TbsDataSkinControl;

class TbsGraphicSkinControl : public TGraphicControl, public TbsSkinChangeClient {
 public:
  explicit TbsGraphicSkinControl(TComponent* AOwner);
  ~TbsGraphicSkinControl() override;
  std::string ClassName() const override { return "TbsGraphicSkinControl"; }

  TbsSkinData* SkinData() const override { return FSD; }
  // Outside the designer a loaded (non-empty) skin is applied at once.
  virtual void SetSkinData(TbsSkinData* Value);
  // A plain stored name: the next paint or ApplySkinChange uses it.
  const std::string& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
  // Position of the record in use in ControlRecords; -1: the default look.
  int SkinIndex() const { return FIndex; }

  // The skin (or the skin data) changed: read the record again, resize, repaint.
  void ApplySkinChange() override;
  // The skin is about to be replaced: forget the record before it is freed.
  void BeginSkinChange() override;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  virtual void ReadSkinRecord();
  // Whether a record found under the control's name can draw this control.
  virtual bool AcceptsRecord(const TbsDataSkinControl* Record) const;
  virtual void DrawDefaultImage(TBitmap& B);
  virtual void DrawSkinImage(TBitmap& B);
  TbsDataSkinControl* SkinRecord() const;
  bool Designing() const { return ComponentState().Contains(csDesigning); }

  void Paint() override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;

  TbsSkinData* FSD = nullptr;
  std::string FSkinDataName;
  int FIndex = -1;
};
