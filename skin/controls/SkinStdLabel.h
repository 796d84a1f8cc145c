#pragma once
// The skin engine's plain label: a transparent framework label whose text font can come
// from a "stdlabel" record. Enabled, it draws with its own Font; disabled, the text is
// engraved (highlight one pixel down-right, shadow in place) in the font the record or
// DefaultFont gives.
#include <string>

#include "framework/controls/Label.h"
#include "framework/graphics/Font.h"
#include "skin/controls/SkinBinding.h"

class TbsSkinStdLabel : public TLabel, public TbsSkinBinding {
 public:
  explicit TbsSkinStdLabel(TComponent* AOwner);
  ~TbsSkinStdLabel() override;
  std::string ClassName() const override { return "TbsSkinStdLabel"; }

  void SetSkinData(TbsSkinData* Value);
  void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
  TFont* DefaultFont() { return &FDefaultFont; }
  const TFont* DefaultFont() const { return &FDefaultFont; }
  void SetDefaultFont(const TFont* Value);
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value);

  void ApplySkinChange() override;
  void BeginSkinChange() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void DoDrawText(TCanvas* Canvas, TRect& Rect, unsigned Flags) override;
  bool AcceptsRecord(const TbsDataSkinControl* Record) const override;

 private:
  void ReadSkinRecord();
  // The font of the disabled look: the record's or DefaultFont (UseSkinFont), else Font.
  void SkinTextFont(TFont& F) const;

  TFont FDefaultFont;
  bool FUseSkinFont = true;
  // Copies of the record's font values.
  TbsSkinFont FSkinFont{"", 0, {}};
  TColor FFontColor = 0;
};
