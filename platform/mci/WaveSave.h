#pragma once
// Saving the wave device's sound as a complete RIFF/WAVE file.
#include <cstdint>
#include <string>

#include "platform/audio/Audio.h"
#include "platform/mci/SpillFile.h"

// Writes header and the first length bytes of spill (from dataOffset on) to target.
// Normally a new file beside target is written and renamed over it, so a failure leaves
// target as it was.
// Where no file can be made beside target (a folder the user may not write in, holding
// a writable target) the file is written in place instead: the sound first, the header
// announcing it last, and on a failure the header is made to announce what the file
// really holds. False when the file could not be saved.
bool SaveWaveFile(const std::string& target, const TAudioFormat& format, const TSpillFile& spill,
                  std::uint64_t length, std::uint64_t dataOffset = 0);
