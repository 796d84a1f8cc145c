#pragma once
#include <string>

#include "framework/graphics/Font.h"
#include "skin/form/ActiveSkinObject.h"

class TbsDataSkinCaption;

// The caption text of a skinned frame, with its optional active background, text frame
// and shadow. Its active state follows the form's activity; it answers HTCAPTION.
class TbsSkinCaptionObject : public TbsActiveSkinObject {
 public:
  TbsSkinCaptionObject(TbsSkinForm* form, const TbsDataSkinCaption* record);
  void Draw(TCanvas* canvas, bool direct) override;
  void MouseUp(int X, int Y, TMouseButton Button) override;
  void MouseEnter() override;
  void MouseLeave() override;

  // The text shown: the form's caption.
  std::string CaptionText() const;

  TRect TextRect;
  std::string FontName = "Arial";
  int FontHeight = 14;
  TFontStyles FontStyle;
  TColor FontColor = 0, ActiveFontColor = 0;
  int Alignment = 2;
  bool Shadow = false;
  TColor ShadowColor = 0, ActiveShadowColor = 0;
  TRect FrameRect, ActiveFrameRect, FrameTextRect;
  int FrameLeftOffset = 0, FrameRightOffset = 0;

 private:
  // Text (and its frame and shadow) with the object's top-left at origin.
  void DrawCaptionText(TCanvas* canvas, TPoint origin, bool active);
  // Background src of pic fitted to the object's width, with the text on it.
  void BuildLayer(TBitmap& out, const TBitmap* pic, const TRect& src, bool active);
  void ApplyInactiveEffect(TBitmap& b) const;
};
