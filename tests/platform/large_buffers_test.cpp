#include "platform/large_buffers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

namespace {

TEST(LargeBuffers, SmallAndLargeRegionsHoldWhatIsWritten) {
  for (const size_t bytes :
       {size_t(0), size_t(1), size_t(4096), size_t(2) << 20, (size_t(5) << 20) + 3}) {
    auto *memory = static_cast<unsigned char *>(platform::AllocateLargeBuffer(bytes));
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(memory) % alignof(std::max_align_t), 0u);
    for (size_t i = 0; i < bytes; ++i) memory[i] = static_cast<unsigned char>(i * 7);
    size_t wrong = 0;
    for (size_t i = 0; i < bytes; ++i) wrong += memory[i] != static_cast<unsigned char>(i * 7);
    EXPECT_EQ(wrong, 0u) << bytes;
    platform::FreeLargeBuffer(memory, bytes);
  }
  platform::FreeLargeBuffer(nullptr, 100);
}

TEST(LargeBuffers, VectorsGrowAndCopyThroughTheAllocator) {
  std::vector<uint32_t, platform::LargeBufferAllocator<uint32_t>> values;
  for (uint32_t i = 0; i < 1'500'000; ++i) values.push_back(i);
  const auto copy = values;
  EXPECT_EQ(copy.size(), 1'500'000u);
  EXPECT_EQ(std::accumulate(copy.begin(), copy.end(), uint64_t(0)),
            uint64_t(1'500'000) * 1'499'999 / 2);
  values.resize(10, 0);
  values.shrink_to_fit();
  EXPECT_EQ(values[9], 9u);
}

TEST(LargeBuffers, ImpossibleSizesThrow) {
  platform::LargeBufferAllocator<uint64_t> allocator;
  EXPECT_THROW(allocator.allocate(SIZE_MAX / 4), std::bad_alloc);
  EXPECT_THROW(platform::AllocateLargeBuffer(SIZE_MAX - 100), std::bad_alloc);
}

}  // namespace
