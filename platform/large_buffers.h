// Memory for large arrays that are written once from end to end, such as the character-type
// array of a whole corpus file. Stands in for the platform's VirtualAlloc of large regions; it
// differs in that regions of 2 MB and more ask the kernel for transparent huge pages, so that
// first touching 100 MB costs a few hundred page faults instead of tens of thousands.
#pragma once

#include <cstddef>
#include <new>

namespace platform {

// At least `bytes` bytes of memory aligned for any type. Throws std::bad_alloc when the memory
// cannot be had. Release it with FreeLargeBuffer and the same size.
void *AllocateLargeBuffer(size_t bytes);
void FreeLargeBuffer(void *memory, size_t bytes) noexcept;

// A standard allocator over AllocateLargeBuffer whose default construction leaves elements
// uninitialised, for arrays whose every element is written before it is read.
template <typename T>
struct LargeBufferAllocator {
  using value_type = T;
  LargeBufferAllocator() = default;
  template <typename U>
  LargeBufferAllocator(const LargeBufferAllocator<U> &) noexcept {}

  T *allocate(size_t n) {
    if (n > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    return static_cast<T *>(AllocateLargeBuffer(n * sizeof(T)));
  }
  void deallocate(T *p, size_t n) noexcept { FreeLargeBuffer(p, n * sizeof(T)); }

  template <typename U>
  void construct(U *p) noexcept {
    ::new (static_cast<void *>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U *p, Args &&...args) {
    ::new (static_cast<void *>(p)) U(static_cast<Args &&>(args)...);
  }

  template <typename U>
  friend bool operator==(const LargeBufferAllocator &, const LargeBufferAllocator<U> &) {
    return true;
  }
};

}  // namespace platform
