#pragma once
// Fonts, pens and brushes of a canvas.
#include <functional>
#include <string>

#include "framework/core/Component.h"
#include "framework/core/Set.h"
#include "framework/core/Types.h"

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
constexpr auto fsBold = TFontStyle::fsBold;
constexpr auto fsItalic = TFontStyle::fsItalic;
constexpr auto fsUnderline = TFontStyle::fsUnderline;
constexpr auto fsStrikeOut = TFontStyle::fsStrikeOut;

using TFontCharset = Byte;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset GB2312_CHARSET = 134;

enum class TFontPitch { fpDefault, fpVariable, fpFixed };

class TFont : public TPersistent {
 public:
  TFont();
  std::string ClassName() const override { return "TFont"; }
  // Classic height rule: negative = character height in pixels, positive = cell height.
  // Size is in points at 96 dpi: Height = -Size * 96 / 72.
  const std::string& Name() const { return FName; }
  void SetName(const std::string& v);
  int Height() const { return FHeight; }
  void SetHeight(int v);
  int Size() const;
  void SetSize(int points);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles v);
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset v);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch v);
  void Assign(const TPersistent* Source) override;
  bool SameAs(const TFont& o) const;
  std::function<void(TObject*)> OnChange;

 private:
  void Changed();
  std::string FName = "MS Sans Serif";
  int FHeight = -11;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = TFontPitch::fpDefault;
};

// The family a font name is drawn with ("宋体"/"SimSun" -> WenQuanYi Zen Hei, ...).
std::string SubstituteFontName(const std::string& name);

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum class TPenMode { pmCopy, pmNot, pmXor, pmMask, pmMerge, pmNotCopy };

class TPen : public TPersistent {
 public:
  std::string ClassName() const override { return "TPen"; }
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = TPenStyle::psSolid;
  TPenMode Mode = TPenMode::pmCopy;
  void Assign(const TPersistent* Source) override;
};

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBitmap;
class TBrush : public TPersistent {
 public:
  std::string ClassName() const override { return "TBrush"; }
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
  TBitmap* Bitmap = nullptr;  // pattern brush, not owned
  void Assign(const TPersistent* Source) override;
};
