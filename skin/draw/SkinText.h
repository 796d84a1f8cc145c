#pragma once
// Text helpers of the skinned looks. Texts are UTF-8; cuts never split a character.
#include <string>

#include "framework/core/Types.h"

class TCanvas;

// Shortens text to the longest prefix that fits width together with "...", which is then
// appended; text that already fits is left alone. "..." alone when nothing fits.
void TrimTextToWidth(TCanvas* canvas, std::string& text, int width);

// Single-line text, left aligned and vertically centred in r.
void DrawTextVCentered(TCanvas* canvas, const std::string& text, const TRect& r);

// Text clipped to r at x = r.Left + 2 + extraX, vertically centred by the text height.
void TextRectVCentered(TCanvas* canvas, const std::string& text, const TRect& r, int extraX = 0);

// Byte length of text without its last UTF-8 character (0 for empty text). A malformed
// tail counts one byte as one character.
std::size_t Utf8DropLast(const std::string& text);
