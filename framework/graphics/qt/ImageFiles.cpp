// Image files and scaling through Qt's image readers and writers.
#include <QImage>
#include <algorithm>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/qt/QtBridge.h"

void TBitmap::SavePngFile(const std::string& fileName) const {
  if (Empty()) throw EInvalidGraphic("Cannot save an empty bitmap");
  if (!CopyToQImage(*this).save(QString::fromStdString(fileName), "PNG"))
    throw EFCreateError("Cannot write PNG file \"" + fileName + "\"");
}

void TBitmap::LoadPngFile(const std::string& fileName) {
  QImage img;
  if (!img.load(QString::fromStdString(fileName), "PNG"))
    throw EInvalidGraphic("PNG image is not valid: \"" + fileName + "\"");
  img = img.convertToFormat(QImage::Format_RGB32);
  if (std::int64_t(img.width()) * img.height() > kMaxBmpPixels)
    throw EInvalidGraphic("PNG image is too large: \"" + fileName + "\"");
  SetSize(0, 0);
  SetSize(img.width(), img.height());
  for (int y = 0; y < FHeight; ++y) {
    auto* src = reinterpret_cast<const TPixel*>(img.constScanLine(y));
    TPixel* dst = ScanLine(y);
    for (int x = 0; x < FWidth; ++x) dst[x] = src[x] & 0xFFFFFF;
  }
}

namespace {
void FromQImage(TIcon& icon, QImage img) {
  img = img.convertToFormat(QImage::Format_ARGB32);
  std::vector<std::uint32_t> argb(std::size_t(img.width()) * std::size_t(img.height()));
  for (int y = 0; y < img.height(); ++y) {
    auto* row = reinterpret_cast<const std::uint32_t*>(img.constScanLine(y));
    std::copy_n(row, img.width(), argb.data() + std::size_t(y) * img.width());
  }
  icon.SetFromArgb(img.width(), img.height(), argb.data());
}
}  // namespace

void TIcon::LoadFromFile(const std::string& fileName) {
  QImage img;
  if (!img.load(QString::fromStdString(fileName)))
    throw EInvalidGraphic("Icon image is not valid: \"" + fileName + "\"");
  FromQImage(*this, img);
}

void TIcon::LoadFromBytes(const std::string& data) {
  QImage img;
  if (data.empty() || !img.loadFromData(reinterpret_cast<const uchar*>(data.data()), int(data.size())))
    throw EInvalidGraphic("Icon image is not valid");
  FromQImage(*this, img);
}

void TIcon::AssignScaled(const TIcon* source, int width, int height) {
  if (!source || source->Empty() || width <= 0 || height <= 0) {
    Clear();
    return;
  }
  FromQImage(*this, IconToQImage(*source).scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}
