#include "framework/graphics/qt/QtBridge.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPixmap>
#include <cmath>

#include "framework/graphics/qt/RegionImpl.h"

QImage WrapBitmap(TBitmap& bitmap) {
  if (bitmap.Empty()) return QImage();
  return QImage(reinterpret_cast<uchar*>(bitmap.Bits()), bitmap.Width(), bitmap.Height(),
                bitmap.Width() * 4, QImage::Format_RGB32);
}

QImage WrapBitmap(const TBitmap& bitmap) {
  if (bitmap.Empty()) return QImage();
  return QImage(reinterpret_cast<const uchar*>(bitmap.Bits()), bitmap.Width(), bitmap.Height(),
                bitmap.Width() * 4, QImage::Format_RGB32);
}

QImage CopyToQImage(const TBitmap& bitmap) {
  if (bitmap.Empty()) return QImage();
  QImage img(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
  for (int y = 0; y < bitmap.Height(); ++y) {
    const TPixel* src = bitmap.ScanLine(y);
    auto* dst = reinterpret_cast<quint32*>(img.scanLine(y));
    for (int x = 0; x < bitmap.Width(); ++x) dst[x] = 0xFF000000u | (src[x] & 0xFFFFFFu);
  }
  return img;
}

void AssignFromQImage(TBitmap& bitmap, const QImage& image) {
  QImage img = image.convertToFormat(QImage::Format_RGB32);
  bitmap.SetSize(0, 0);
  bitmap.SetSize(img.width(), img.height());
  for (int y = 0; y < bitmap.Height(); ++y) {
    auto* src = reinterpret_cast<const quint32*>(img.constScanLine(y));
    TPixel* dst = bitmap.ScanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x) dst[x] = src[x] & 0xFFFFFFu;
  }
}

QRegion ToQRegion(const TRegion& region) { return region.impl().r; }

TRegion FromQRegion(const QRegion& region) {
  TRegion out;
  out.impl().r = region;
  return out;
}

QImage IconToQImage(const TIcon& icon) {
  if (icon.Empty()) return QImage();
  QImage img(icon.Width(), icon.Height(), QImage::Format_ARGB32);
  for (int y = 0; y < icon.Height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < icon.Width(); ++x) row[x] = icon.ArgbPixel(x, y);
  }
  return img;
}

QIcon ToQIcon(const TIcon& icon) { return icon.Empty() ? QIcon() : QIcon(QPixmap::fromImage(IconToQImage(icon))); }

QFont ToQFont(const TFont& font) {
  QFont f(QString::fromStdString(SubstituteFontName(font.Name())));
  f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
  // Unhinted monochrome glyphs keep every stroke of small CJK text; hinted ones drop some.
  f.setHintingPreference(QFont::PreferNoHinting);
  f.setKerning(false);
  const TFontStyles st = font.Style();
  f.setBold(st.Contains(fsBold));
  f.setItalic(st.Contains(fsItalic));
  f.setUnderline(st.Contains(fsUnderline));
  f.setStrikeOut(st.Contains(fsStrikeOut));
  if (font.Pitch() == TFontPitch::fpFixed) {
    f.setFixedPitch(true);
    f.setStyleHint(QFont::TypeWriter);
  }
  int height = font.Height();
  if (height == 0) height = -11;  // the default font's 8 points
  if (height < 0) {
    f.setPixelSize(std::max(1, -height));
  } else {
    // A cell height: the em is the cell less the internal leading, taken from the
    // font's own proportions at that size.
    f.setPixelSize(std::max(1, height));
    QFontMetrics m(f);
    const int cell = m.ascent() + m.descent();
    if (cell > height)
      f.setPixelSize(std::max(1, int(std::lround(double(height) * height / cell))));
  }
  return f;
}

void InstallFontSubstitutions() {
  for (const char* name : {"宋体", "SimSun", "新宋体", "NSimSun", "MS Sans Serif", "Tahoma", "Microsoft Sans Serif",
                           "MS Shell Dlg", "MS Shell Dlg 2", "Arial", "Times New Roman", "Courier New"})
    QFont::insertSubstitution(QString::fromUtf8(name), QString::fromStdString(SubstituteFontName(name)));
}
