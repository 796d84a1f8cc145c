#pragma once
// The right channel of wave output 0 follows a 0..255 slider position; the left
// channel keeps whatever it had.
#include <cstdint>

// The new volume word for position P over the current word V: low word kept, right
// channel P * 256 (full position gives 0xFF00).
std::uint32_t RightChannelVolumeWord(std::uint32_t current, int position);
void SetRightChannelVolume(int position);
