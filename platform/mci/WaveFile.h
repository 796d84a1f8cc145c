#pragma once
// RIFF/WAVE PCM files: the strict, bounded header reader the wave device opens its
// element with, and the 44-byte header it saves with.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/audio/Audio.h"

struct TWaveFileInfo {
  TAudioFormat Format;
  std::uint64_t DataOffset = 0;  // where the sample bytes start
  std::uint64_t DataSize = 0;    // sample bytes (whole frames)
};

// Reads the chunks of a wave file of fileSize bytes through read(offset, buffer, bytes),
// which returns false when it cannot deliver them all. Raises Exception with a message
// for anything that is not a PCM wave file this device can record (1 or 2 channels,
// 8 or 16 bits) or whose chunks run past the end of the file.
TWaveFileInfo ParseWaveFile(std::uint64_t fileSize,
                            const std::function<bool(std::uint64_t, void*, size_t)>& read);
// The same for a file on disk; a file that cannot be read raises EInOutError.
TWaveFileInfo ReadWaveFileInfo(const std::string& path);

// The largest sample data a RIFF file can carry (its sizes are 32-bit).
constexpr std::uint64_t kMaxWaveDataSize = 0xFFFFFFFFull - 36 - 1;

// The canonical 44-byte header for dataSize bytes of samples (odd sizes are padded).
std::array<std::uint8_t, 44> MakeWaveHeader(const TAudioFormat& format, std::uint32_t dataSize);
