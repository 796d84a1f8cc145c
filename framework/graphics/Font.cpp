#include "framework/graphics/Font.h"

#include <cctype>
#include <cmath>
#include <string_view>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Bitmap.h"

namespace {
// Families the program's stored layouts name, mapped onto fonts this system ships.
struct Substitution {
  std::string_view from;
  std::string_view to;
};
constexpr Substitution kSubstitutions[] = {
    {"宋体", "WenQuanYi Zen Hei"},       {"SimSun", "WenQuanYi Zen Hei"},
    {"新宋体", "WenQuanYi Zen Hei"},     {"NSimSun", "WenQuanYi Zen Hei"},
    {"MS Sans Serif", "DejaVu Sans"},    {"Tahoma", "DejaVu Sans"},
    {"Microsoft Sans Serif", "DejaVu Sans"}, {"MS Shell Dlg", "DejaVu Sans"},
    {"MS Shell Dlg 2", "DejaVu Sans"},   {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"}, {"Courier New", "Liberation Mono"},
};

bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x < 0x80 && y < 0x80) {
      if (std::tolower(x) != std::tolower(y)) return false;
    } else if (x != y) {
      return false;
    }
  }
  return true;
}
}  // namespace

std::string SubstituteFontName(const std::string& name) {
  for (const auto& s : kSubstitutions)
    if (SameNoCase(name, s.from)) return std::string(s.to);
  return name.empty() ? std::string("DejaVu Sans") : name;
}

TFont::TFont() = default;

void TFont::Changed() {
  if (OnChange) OnChange(this);
}

void TFont::SetName(const std::string& v) {
  if (v == FName) return;
  FName = v;
  Changed();
}

void TFont::SetHeight(int v) {
  if (v == FHeight) return;
  FHeight = v;
  Changed();
}

// Size in points at 96 dpi; a positive (cell) height gives a negative size, as classically.
int TFont::Size() const {
  return -static_cast<int>(std::lround(FHeight * 72.0 / 96.0));
}

void TFont::SetSize(int points) {
  SetHeight(-static_cast<int>(std::lround(points * 96.0 / 72.0)));
}

void TFont::SetStyle(TFontStyles v) {
  if (v == FStyle) return;
  FStyle = v;
  Changed();
}

void TFont::SetColor(TColor v) {
  if (v == FColor) return;
  FColor = v;
  Changed();
}

void TFont::SetCharset(TFontCharset v) {
  if (v == FCharset) return;
  FCharset = v;
  Changed();
}

void TFont::SetPitch(TFontPitch v) {
  if (v == FPitch) return;
  FPitch = v;
  Changed();
}

bool TFont::SameAs(const TFont& o) const {
  return FName == o.FName && FHeight == o.FHeight && FStyle == o.FStyle && FColor == o.FColor &&
         FCharset == o.FCharset && FPitch == o.FPitch;
}

void TFont::Assign(const TPersistent* Source) {
  auto* f = dynamic_cast<const TFont*>(Source);
  if (!f) {
    TPersistent::Assign(Source);
    return;
  }
  if (SameAs(*f)) return;
  FName = f->FName;
  FHeight = f->FHeight;
  FStyle = f->FStyle;
  FColor = f->FColor;
  FCharset = f->FCharset;
  FPitch = f->FPitch;
  Changed();
}

void TPen::Assign(const TPersistent* Source) {
  auto* p = dynamic_cast<const TPen*>(Source);
  if (!p) {
    TPersistent::Assign(Source);
    return;
  }
  Color = p->Color;
  Width = p->Width;
  Style = p->Style;
  Mode = p->Mode;
}

void TBrush::Assign(const TPersistent* Source) {
  auto* b = dynamic_cast<const TBrush*>(Source);
  if (!b) {
    TPersistent::Assign(Source);
    return;
  }
  Color = b->Color;
  Style = b->Style;
  Bitmap = b->Bitmap;
}
