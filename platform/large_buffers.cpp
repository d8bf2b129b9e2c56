#include "platform/large_buffers.h"

#include <sys/mman.h>

#include <cstdint>

namespace platform {

namespace {

constexpr size_t kHugePage = size_t(2) << 20;

bool IsLarge(size_t bytes) {
  return bytes >= kHugePage;
}

size_t RoundedUp(size_t bytes, size_t unit) {
  return (bytes + unit - 1) / unit * unit;
}

}  // namespace

void *AllocateLargeBuffer(size_t bytes) {
  if (!IsLarge(bytes)) return ::operator new(bytes == 0 ? 1 : bytes);
  if (bytes > SIZE_MAX - 2 * kHugePage) throw std::bad_alloc();
  // Map a huge page more than needed and trim both ends, so that the region starts on a huge
  // page boundary, where the kernel can back it with huge pages.
  const size_t length = RoundedUp(bytes, kHugePage);
  const size_t mapped = length + kHugePage;
  void *raw = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) throw std::bad_alloc();
  const uintptr_t start = reinterpret_cast<uintptr_t>(raw);
  const uintptr_t aligned = RoundedUp(start, kHugePage);
  if (aligned > start) munmap(raw, aligned - start);
  const uintptr_t end = start + mapped;
  if (end > aligned + length)
    munmap(reinterpret_cast<void *>(aligned + length), end - aligned - length);
  void *memory = reinterpret_cast<void *>(aligned);
  madvise(memory, length, MADV_HUGEPAGE);  // only a hint; plain pages work as well
  return memory;
}

void FreeLargeBuffer(void *memory, size_t bytes) noexcept {
  if (memory == nullptr) return;
  if (!IsLarge(bytes)) {
    ::operator delete(memory);
    return;
  }
  munmap(memory, RoundedUp(bytes, kHugePage));
}

}  // namespace platform
