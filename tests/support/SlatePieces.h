#pragma once
// What a Slate-skinned control must show, worked out from the skin's INI as its author
// wrote it (skins/slate/skin.ini), not from the engine's records: a nine-piece image
// copies its corner pieces unscaled, so the control's corners are the picture's.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"

namespace slatepieces {

// The numbers of "key=a,b,..." in [section] of the Slate INI (empty when absent).
inline std::vector<int> IniNumbers(const std::string& section, const std::string& key) {
  std::ifstream in(std::string(CORVALE_SOURCE_DIR) + "/skins/slate/skin.ini");
  std::string line, current;
  std::vector<int> out;
  while (std::getline(in, line) && out.empty()) {
    if (line.rfind('[', 0) == 0) current = line.substr(1, line.find(']') - 1);
    if (current != section || line.rfind(key + "=", 0) != 0) continue;
    std::istringstream values(line.substr(key.size() + 1));
    for (std::string v; std::getline(values, v, ',');) out.push_back(std::stoi(v));
  }
  return out;
}

// The control's image at `at` shows the four corner pieces of `rectKey` of [section] of
// pic, pixel for pixel, leaving out the record's clientrect and captionrect (text and
// children go there).
inline ::testing::AssertionResult CornersFromSkin(const TBitmap& shot, const TRect& at, const TBitmap& pic,
                                                  const std::string& section, const std::string& rectKey = "skinrect") {
  const std::vector<int> s = IniNumbers(section, rectKey), lt = IniNumbers(section, "lefttoppoint"),
                         rb = IniNumbers(section, "rightbottompoint"), c = IniNumbers(section, "clientrect"),
                         t = IniNumbers(section, "captionrect");
  if (s.size() != 4 || lt.size() != 2 || rb.size() != 2) return ::testing::AssertionFailure() << "no " << rectKey;
  const int w = s[2] - s[0], h = s[3] - s[1];
  auto in = [](const std::vector<int>& r, int x, int y) { return r.size() == 4 && x >= r[0] && x < r[2] && y >= r[1] && y < r[3]; };
  for (int sy = 0; sy < h; ++sy)
    for (int sx = 0; sx < w; ++sx) {
      const bool right = sx >= rb[0], bottom = sy >= rb[1];
      if (!((sx < lt[0] || right) && (sy < lt[1] || bottom)) || in(c, sx, sy) || in(t, sx, sy)) continue;
      const int x = at.Left + (right ? at.Width() - w + sx : sx), y = at.Top + (bottom ? at.Height() - h + sy : sy);
      if (shot.Pixel(x, y) != pic.Pixel(s[0] + sx, s[1] + sy))
        return ::testing::AssertionFailure() << "[" << section << "] " << rectKey << " corner pixel " << sx << ","
                                             << sy << " at " << x << "," << y << ": " << std::hex << shot.Pixel(x, y)
                                             << " instead of " << pic.Pixel(s[0] + sx, s[1] + sy);
    }
  return ::testing::AssertionSuccess();
}

}  // namespace slatepieces
