#include "tests/support/SyntheticAudio.h"

namespace testsupport {

std::string SyntheticBytes(const TSyntheticSignal& sig, const TAudioFormat& fmt, std::uint64_t frames) {
  std::string out;
  for (std::uint64_t f = 0; f < frames; ++f)
    for (int c = 0; c < fmt.Channels; ++c) {
      int v = SyntheticSample(sig, fmt, f, c);
      out += static_cast<char>(v & 0xFF);
      if (fmt.BitsPerSample == 16) out += static_cast<char>((v >> 8) & 0xFF);
    }
  return out;
}

}  // namespace testsupport
