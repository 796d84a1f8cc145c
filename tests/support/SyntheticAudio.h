#pragma once
// The bytes the synthetic audio source gives, for comparing what a take wrote.
#include <cstdint>
#include <string>

#include "platform/audio/Audio.h"

namespace testsupport {

// Frames [0, frames) of sig in fmt, interleaved little-endian as a wave file holds them.
std::string SyntheticBytes(const TSyntheticSignal& sig, const TAudioFormat& fmt, std::uint64_t frames);

}  // namespace testsupport
