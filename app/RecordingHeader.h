#pragma once
// The 44-byte RIFF/WAVE header written before every recording: it is the only way the
// chosen format reaches the recording device, which takes its format from the file.
#include <array>
#include <cstdint>
#include <string>

using TWaveHeader = std::array<std::uint8_t, 44>;

// The header for the given format with an empty data chunk.
TWaveHeader MakeWaveHeader(std::uint16_t channels, std::uint16_t bitsPerSample,
                           std::uint32_t samplesPerSec);

// Creates or truncates the file and writes the header; other programs may read and
// write the file meanwhile. Raises EInOutError with the OS error code on failure
// (including a file another program holds locked for exclusive use); a partly
// written file is left as it is.
void WriteWaveHeaderFile(std::uint16_t channels, std::uint16_t bitsPerSample,
                         std::uint32_t samplesPerSec, const std::string& fileName);
