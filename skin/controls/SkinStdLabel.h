#pragma once
// The skin engine's plain label: a transparent framework label whose text font can come
// from a "stdlabel" record. Enabled, it draws with its own Font; disabled, the text is
// engraved (highlight one pixel down-right, shadow in place) in the font the record or
// DefaultFont gives.
#include <string>

#include "framework/controls/Label.h"
#include "framework/graphics/Font.h"
#include "skin/controls/SkinChangeClient.h"

class TbsSkinStdLabel : public TLabel, public TbsSkinChangeClient {
 public:
  explicit TbsSkinStdLabel(TComponent* AOwner);
  ~TbsSkinStdLabel() override;
  std::string ClassName() const override { return "TbsSkinStdLabel"; }

  TbsSkinData* SkinData() const override { return FSD; }
  void SetSkinData(TbsSkinData* Value);
  const std::string& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
  TFont* DefaultFont() { return &FDefaultFont; }
  const TFont* DefaultFont() const { return &FDefaultFont; }
  void SetDefaultFont(const TFont* Value);
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value);
  // Position of the record in use (-1: none), as of the last draw or skin change.
  int SkinIndex() const { return FIndex; }

  void ApplySkinChange() override;
  void BeginSkinChange() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void DoDrawText(TCanvas* Canvas, TRect& Rect, unsigned Flags) override;

 private:
  void ReadSkinRecord();
  // The font of the disabled look: the record's or DefaultFont (UseSkinFont), else Font.
  void SkinTextFont(TFont& F) const;
  TFontCharset Charset() const;

  TbsSkinData* FSD = nullptr;
  std::string FSkinDataName = "stdlabel";
  TFont FDefaultFont;
  bool FUseSkinFont = true;
  int FIndex = -1;
  // Copies of the record's font values.
  std::string FFontName;
  int FFontHeight = 0;
  TFontStyles FFontStyle;
  TColor FFontColor = 0;
};
