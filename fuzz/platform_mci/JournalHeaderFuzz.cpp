// Arbitrary bytes as the head of a take's journal found at start-up: the reader either
// accepts them as a header of a format the device records, or gives a reason, and never
// reads past the bytes it was given.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/mci/TakeJournal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  // A copy of exactly size bytes, so that the sanitizer sees any read beyond it.
  std::vector<std::uint8_t> bytes(data, data + size);
  TAudioFormat format;
  bool incomplete = false;
  std::string why;
  const bool ok = ParseJournalHeader(bytes.data(), bytes.size(), format, incomplete, why);
  if (ok && (!IsSupportedFormat(format) || incomplete || size < 44)) std::abort();
  if (!ok && why.empty()) std::abort();
  if (incomplete && size >= 44) std::abort();
  return 0;
}
