#include "framework/graphics/Region.h"

#include <cstring>

#include "framework/graphics/qt/RegionImpl.h"

namespace {
QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }
TRect FromQRect(const QRect& r) { return Rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()); }

std::int32_t ReadInt32(const std::uint8_t* p) {
  std::uint32_t v = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
                    (std::uint32_t(p[3]) << 24);
  return static_cast<std::int32_t>(v);
}
}  // namespace

TRegion::TRegion() : FImpl(std::make_unique<Impl>()) {}

TRegion::TRegion(const TRect& r) : FImpl(std::make_unique<Impl>()) {
  if (!IsRectEmpty(r)) FImpl->r = QRegion(ToQRect(r));
}

TRegion::TRegion(const TRegion& o) : FImpl(std::make_unique<Impl>(*o.FImpl)) {}

TRegion& TRegion::operator=(const TRegion& o) {
  if (this != &o) *FImpl = *o.FImpl;
  return *this;
}

TRegion::~TRegion() = default;

bool TRegion::FromRegionData(const std::uint8_t* data, std::size_t size, TRegion& out) {
  out.FImpl->r = QRegion();
  constexpr std::size_t kHeader = 32;
  if (!data || size < kHeader) return false;
  if (ReadInt32(data) != 32 || ReadInt32(data + 4) != 1) return false;
  std::int32_t count = ReadInt32(data + 8);
  if (count < 0 || std::uint64_t(count) * 16 + kHeader > size) return false;
  std::vector<QRect> rects;
  rects.reserve(static_cast<size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    const std::uint8_t* p = data + kHeader + size_t(i) * 16;
    std::int64_t l = ReadInt32(p), t = ReadInt32(p + 4), r = ReadInt32(p + 8), b = ReadInt32(p + 12);
    if (r <= l || b <= t) continue;
    if (r - l > INT32_MAX || b - t > INT32_MAX) return false;
    rects.emplace_back(int(l), int(t), int(r - l), int(b - t));
  }
  if (!rects.empty()) out.FImpl->r.setRects(rects.data(), int(rects.size()));
  return true;
}

bool TRegion::IsEmpty() const { return FImpl->r.isEmpty(); }

TRect TRegion::BoundingRect() const {
  if (FImpl->r.isEmpty()) return TRect{};
  return FromQRect(FImpl->r.boundingRect());
}

std::vector<TRect> TRegion::Rects() const {
  std::vector<TRect> out;
  for (const QRect& r : FImpl->r) out.push_back(FromQRect(r));
  return out;
}

bool TRegion::Contains(int x, int y) const { return FImpl->r.contains(QPoint(x, y)); }

void TRegion::Offset(int dx, int dy) { FImpl->r.translate(dx, dy); }

void TRegion::Combine(const TRegion& other, TRegionOp op) {
  QRegion& a = FImpl->r;
  const QRegion& b = other.FImpl->r;
  switch (op) {
    case TRegionOp::Or: a = a.united(b); break;
    case TRegionOp::And: a = a.intersected(b); break;
    case TRegionOp::Diff: a = a.subtracted(b); break;
    case TRegionOp::Xor: a = a.xored(b); break;
    case TRegionOp::Copy: a = b; break;
  }
}

bool operator==(const TRegion& a, const TRegion& b) { return a.FImpl->r == b.FImpl->r; }
