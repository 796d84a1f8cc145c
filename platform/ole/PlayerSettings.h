#pragma once
// The media player control's own settings and their stored form: exactly 162 bytes,
// little-endian.
//
//   offset size  field
//        0    4  magic "CVPS"
//        4    2  layout version (1)
//        6    2  control data version (401)
//        8    4  flags: bit 0 enabled, 1 fullScreen, 2 enableContextMenu,
//                3 stretchToFit, 4 windowlessVideo, 5 mute; other bits must be 0
//       12    1  uiMode: 0 "invisible", 1 "none", 2 "mini", 3 "full", 4 "custom"
//       13    1  volume 0..100
//       14    2  reserved, 0
//       16    4  width the control was saved with (pixels, >= 0)
//       20    4  height the control was saved with (pixels, >= 0)
//       24  138  zero padding (ignored when read)
//
// Reading: no bytes, another magic or a later layout version give the defaults (a
// state this build does not know); our magic with a wrong size or values out of range
// raises EOleError naming the fault.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TPlayerSettings {
  static constexpr std::size_t StoredSize = 162;
  static constexpr std::uint16_t LayoutVersion = 1;
  static constexpr std::uint16_t ControlDataVersion = 401;

  bool Enabled = true;
  bool FullScreen = false;
  bool EnableContextMenu = true;
  bool StretchToFit = false;
  bool WindowlessVideo = false;
  bool Mute = false;
  int UiMode = 3;  // "full"
  int Volume = 100;
  std::int32_t ExtentWidth = 0;
  std::int32_t ExtentHeight = 0;

  std::vector<std::uint8_t> Serialize() const;
  static TPlayerSettings Parse(const std::uint8_t* data, std::size_t size);

  // uiMode by name (case-blind); nullopt for an unknown name.
  static std::optional<int> UiModeFromName(const std::u16string& name);
  static std::u16string UiModeName(int mode);

  bool operator==(const TPlayerSettings&) const = default;
};
