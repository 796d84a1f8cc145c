#pragma once
// The skin engine's bevel: the framework bevel's shapes drawn with two line colours
// from a "bevel" record (button highlight and shadow without one), or, in DividerMode,
// a thin etched divider across the middle instead of the shape. A spacer shows nothing
// at run time.
#include <string>

#include "framework/controls/Bevel.h"
#include "skin/controls/SkinChangeClient.h"

class TbsSkinBevel : public TBevel, public TbsSkinChangeClient {
 public:
  explicit TbsSkinBevel(TComponent* AOwner);
  ~TbsSkinBevel() override;
  std::string ClassName() const override { return "TbsSkinBevel"; }

  TbsSkinData* SkinData() const override { return FSD; }
  void SetSkinData(TbsSkinData* Value);
  const std::string& SkinDataName() const { return FSkinDataName; }
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

 private:
  void ReadSkinRecord();

  TbsSkinData* FSD = nullptr;
  std::string FSkinDataName = "bevel";
  bool FDividerMode = false;
  TColor FLightColor = clBtnHighlight;
  TColor FDarkColor = clBtnShadow;
};
