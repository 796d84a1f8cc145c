// Arbitrary bytes as the wave device's element: the header reader either accepts them
// with a data range inside the file or raises, and never reads outside the buffer.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "framework/core/Exceptions.h"
#include "platform/mci/WaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  auto read = [&](std::uint64_t offset, void* buffer, size_t bytes) {
    if (offset > size || bytes > size - offset) return false;
    std::memcpy(buffer, data + offset, bytes);
    return true;
  };
  try {
    const TWaveFileInfo info = ParseWaveFile(size, read);
    if (info.DataOffset > size || info.DataSize > size - info.DataOffset) std::abort();
    if (info.Format.Channels < 1 || info.Format.Channels > 2) std::abort();
  } catch (const Exception&) {
  }
  return 0;
}
