#include "skin/controls/SkinRegistrationSupport.h"

const TIdentMap kSkinColorIdents = {
    {"clBlack", clBlack}, {"clNavy", clNavy}, {"clWhite", clWhite}, {"clGray", clGray},
    {"clWindowText", clWindowText}, {"clBtnText", clBtnText}, {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow}, {"clBtnHighlight", clBtnHighlight}, {"clWindow", clWindow},
    {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText}, {"clGrayText", clGrayText}};
const TIdentMap kSkinButtonLayoutIdents = {
    {"blGlyphLeft", 0}, {"blGlyphRight", 1}, {"blGlyphTop", 2}, {"blGlyphBottom", 3}};

void LoadSkinBitmapBlock(TBitmap& bmp, const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty()) {
    bmp.SetSize(0, 0);
    return;
  }
  std::size_t skip = 0;
  if (bytes.size() >= 6 && bytes[4] == 'B' && bytes[5] == 'M') {
    const std::uint32_t n = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t(bytes[3]) << 24);
    if (n == bytes.size() - 4) skip = 4;
  }
  bmp.LoadFromBytes(bytes.data() + skip, bytes.size() - skip);
}
