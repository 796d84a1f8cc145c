#pragma once
// The plain label: a window-less control that draws its caption.
#include "framework/controls/TextAlignment.h"
#include "framework/windows/Controls.h"

class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* AOwner);
  std::string ClassName() const override { return "TLabel"; }

  // With AutoSize the label takes the size of its text (WordWrap: the width stays,
  // the height follows); a right-justified label keeps its right edge.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout v);
  // A transparent label leaves its background to what lies below it.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  // "&x" underlines x instead of showing the ampersand.
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool v);
  // The control the label's accelerator focuses.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* v);

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  // Resizes to the text when AutoSize is on (not while the layout is being read:
  // Loaded does it once every property is in).
  void AdjustBounds();
  // Draws the caption in Rect on Canvas, or with DT_CALCRECT in Flags measures it into
  // Rect. Painting and sizing both come here, so a descendant that draws the text its
  // own way (another font, an engraved look) also sizes the label for it.
  virtual void DoDrawText(TCanvas* Canvas, TRect& Rect, unsigned Flags);
  // The draw flags of the label's alignment, word wrap and accelerator settings.
  unsigned TextFlags() const;

 private:
  bool FAutoSize = true;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FTransparent = false;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};
