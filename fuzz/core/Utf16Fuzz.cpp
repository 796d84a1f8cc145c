// Arbitrary bytes through UTF-16 and back must come out unchanged (file names are
// bytes), and case folding must keep every malformed byte and stay within its input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/core/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (Utf16ToUtf8(Utf8ToUtf16(bytes)) != bytes) std::abort();
  const std::string folded = CaseFold(bytes);
  if (IsValidUtf8(bytes) != IsValidUtf8(folded)) std::abort();
  StartsWithFolded(bytes, folded.substr(0, folded.size() / 2));
  return 0;
}
