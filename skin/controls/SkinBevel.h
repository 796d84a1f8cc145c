#pragma once
// The skin engine's bevel: the framework bevel's shapes drawn with two line colours
// from a "bevel" record (button highlight and shadow without one), or, in DividerMode,
// a thin etched divider across the middle instead of the shape. A spacer shows nothing
// at run time.
#include <string>

#include "framework/controls/Bevel.h"
#include "skin/controls/SkinBinding.h"

class TbsSkinBevel : public TBevel, public TbsSkinBinding {
 public:
  explicit TbsSkinBevel(TComponent* AOwner);
  ~TbsSkinBevel() override;
  std::string ClassName() const override { return "TbsSkinBevel"; }

  void SetSkinData(TbsSkinData* Value);
  void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
  bool DividerMode() const { return FDividerMode; }
  void SetDividerMode(bool Value);
  TColor LightColor() const { return FLightColor; }
  TColor DarkColor() const { return FDarkColor; }

  void ApplySkinChange() override;
  void BeginSkinChange() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void Paint() override;
  bool AcceptsRecord(const TbsDataSkinControl* Record) const override;

 private:
  void ReadSkinRecord();

  bool FDividerMode = false;
  TColor FLightColor = clBtnHighlight;
  TColor FDarkColor = clBtnShadow;
};
