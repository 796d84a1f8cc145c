// Stored form of the media player control's settings (layout in the header).
#include "platform/ole/PlayerSettings.h"

#include <array>
#include <cstring>

#include "framework/core/Exceptions.h"

namespace {
constexpr std::array<std::uint8_t, 4> Magic = {'C', 'V', 'P', 'S'};
constexpr std::uint32_t KnownFlags = 0x3F;
const char16_t* const UiModes[] = {u"invisible", u"none", u"mini", u"full", u"custom"};
constexpr int UiModeCount = 5;

void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
  b[at] = std::uint8_t(v);
  b[at + 1] = std::uint8_t(v >> 8);
}
void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
}
std::uint16_t Get16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
std::uint32_t Get32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; }
}  // namespace

std::vector<std::uint8_t> TPlayerSettings::Serialize() const {
  std::vector<std::uint8_t> b(StoredSize, 0);
  std::memcpy(b.data(), Magic.data(), Magic.size());
  Put16(b, 4, LayoutVersion);
  Put16(b, 6, ControlDataVersion);
  std::uint32_t flags = (Enabled ? 1u : 0u) | (FullScreen ? 2u : 0u) | (EnableContextMenu ? 4u : 0u) |
                        (StretchToFit ? 8u : 0u) | (WindowlessVideo ? 16u : 0u) | (Mute ? 32u : 0u);
  Put32(b, 8, flags);
  b[12] = std::uint8_t(UiMode);
  b[13] = std::uint8_t(Volume);
  Put32(b, 16, std::uint32_t(ExtentWidth));
  Put32(b, 20, std::uint32_t(ExtentHeight));
  return b;
}

TPlayerSettings TPlayerSettings::Parse(const std::uint8_t* data, std::size_t size) {
  TPlayerSettings s;
  if (!data || size < Magic.size() || std::memcmp(data, Magic.data(), Magic.size()) != 0) return s;
  if (size != StoredSize)
    throw EOleError(Format("Player state has %zu bytes, expected %zu", size, StoredSize));
  if (Get16(data + 4) > LayoutVersion) return s;  // written by a later build
  if (Get16(data + 4) == 0) throw EOleError("Player state has layout version 0");
  std::uint32_t flags = Get32(data + 8);
  if (flags & ~KnownFlags) throw EOleError(Format("Player state has unknown flags %08X", flags));
  if (data[12] >= UiModeCount) throw EOleError(Format("Player state has uiMode %u out of range", data[12]));
  if (data[13] > 100) throw EOleError(Format("Player state has volume %u above 100", data[13]));
  auto w = std::int32_t(Get32(data + 16)), h = std::int32_t(Get32(data + 20));
  if (w < 0 || h < 0) throw EOleError("Player state has a negative size");
  s.Enabled = flags & 1;
  s.FullScreen = flags & 2;
  s.EnableContextMenu = flags & 4;
  s.StretchToFit = flags & 8;
  s.WindowlessVideo = flags & 16;
  s.Mute = flags & 32;
  s.UiMode = data[12];
  s.Volume = data[13];
  s.ExtentWidth = w;
  s.ExtentHeight = h;
  return s;
}

std::optional<int> TPlayerSettings::UiModeFromName(const std::u16string& name) {
  for (int i = 0; i < UiModeCount; ++i) {
    std::u16string m = UiModes[i];
    if (m.size() != name.size()) continue;
    bool same = true;
    for (size_t k = 0; k < m.size() && same; ++k) same = Lower(name[k]) == m[k];
    if (same) return i;
  }
  return std::nullopt;
}

std::u16string TPlayerSettings::UiModeName(int mode) {
  return (mode >= 0 && mode < UiModeCount) ? std::u16string(UiModes[mode]) : std::u16string();
}
