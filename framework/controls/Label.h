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

 private:
  unsigned TextFlags() const;
  bool FAutoSize = true;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FTransparent = false;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};
