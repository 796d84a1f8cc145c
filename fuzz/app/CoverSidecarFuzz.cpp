// Arbitrary bytes as a take's cover record: the reader either rejects them with a
// reason or gives a record that holds to its own rules, writes back and reads again the
// same; it never throws and never reads outside the text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/CoverSidecar.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string error;
  auto record = ParseCoverJson(text, error);
  if (!record) {
    if (error.empty()) std::abort();
    return 0;
  }
  if (record->Segments.empty() || record->Take.Channels < 1 || record->Take.Channels > 2) std::abort();
  for (std::size_t i = 0; i < record->Segments.size(); ++i) {
    if (record->Segments[i].To < record->Segments[i].From) std::abort();
    if (i > 0 && record->Segments[i].From < record->Segments[i - 1].To) std::abort();
  }
  std::string again;
  try {
    again = WriteCoverJson(*record);
  } catch (...) {
    return 0;  // a path that is not UTF-8 cannot be written back
  }
  auto reread = ParseCoverJson(again, error);
  if (!reread || !(*reread == *record)) std::abort();
  return 0;
}
