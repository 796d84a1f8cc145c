// The shell allocator: a size header in front of every block, and a count of blocks out.
#include <atomic>
#include <cstdlib>
#include <cstring>

#include "platform/shell/Shell.h"

namespace {
struct alignas(std::max_align_t) THeader {
  std::size_t Size;
};
std::atomic<long> gLive{0};
}  // namespace

void* TShellMalloc::Alloc(std::size_t size) {
  auto* h = static_cast<THeader*>(std::calloc(1, sizeof(THeader) + size));
  if (!h) return nullptr;
  h->Size = size;
  ++gLive;
  return h + 1;
}

void TShellMalloc::Free(void* block) {
  if (!block) return;
  --gLive;
  std::free(static_cast<THeader*>(block) - 1);
}

std::size_t TShellMalloc::GetSize(const void* block) const {
  return block ? (static_cast<const THeader*>(block) - 1)->Size : 0;
}

long TShellMalloc::LiveBlocks() const { return gLive.load(); }

TShellMalloc& SHGetMalloc() {
  static TShellMalloc allocator;
  return allocator;
}
