#pragma once
// Private bridge between the drawing layer and Qt, for framework .cpp files only.
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QRegion>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/Region.h"

// A QImage (Format_RGB32) over the bitmap's own pixels; valid while the bitmap keeps its
// size. The unused byte of each pixel is 0, not 0xFF: to hand pixels to something that
// may read it as alpha, use CopyToQImage.
QImage WrapBitmap(TBitmap& bitmap);
QImage WrapBitmap(const TBitmap& bitmap);  // read-only
// A detached copy with every pixel opaque (0xFFRRGGBB).
QImage CopyToQImage(const TBitmap& bitmap);
// Fills the bitmap from any QImage (alpha dropped; sizes follow the image).
void AssignFromQImage(TBitmap& bitmap, const QImage& image);

// The icon with its opacity (Format_ARGB32); a null icon for an empty one.
QImage IconToQImage(const TIcon& icon);
QIcon ToQIcon(const TIcon& icon);

QRegion ToQRegion(const TRegion& region);
TRegion FromQRegion(const QRegion& region);

// The font with its substituted family, the classic height rule and no anti-aliasing.
QFont ToQFont(const TFont& font);

// Registers the font substitutions with Qt as well, so widgets given a classic family
// name directly draw with the same font (call once after the application object exists).
void InstallFontSubstitutions();
