#pragma once
// The media player's button bar: layout of the visible buttons and their pictures.
// Pictures are named "<state>_<button>" (EN/DI/CL + MPPLAY ...); a bitmap resource of
// that name wins, otherwise the picture is drawn here.
#include <array>
#include <memory>
#include <string>

#include "framework/core/Types.h"
#include "media/MediaPlayer.h"

class TBitmap;
class TCanvas;

// "MPPLAY", "MPPAUSE", ... in the order of TMPBtnType.
const char* MediaPlayerButtonName(TMPBtnType b);
// The rectangle of each button (empty for hidden ones): visible buttons side by side,
// equal widths, the last one taking the remainder.
std::array<TRect, 9> MediaPlayerButtonRects(TButtonSet visible, int width, int height);
// The picture of a name such as "EN_MPPLAY"; raises EInvalidGraphic for an unknown name.
std::unique_ptr<TBitmap> MakeMediaPlayerBitmap(const std::string& name);
void DrawMediaPlayerButton(TCanvas* c, const TRect& r, const TBitmap* glyph, bool pressed);
