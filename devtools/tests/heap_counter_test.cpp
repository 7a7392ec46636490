// The soak's heap counter follows what is taken and given back, and keeps the highest count.
#include <gtest/gtest.h>

#include <memory>

#include "replay/heap_counter.h"

namespace pelko::testing {
namespace {

TEST(HeapCounterTest, CountsBytesInUseAndTheirPeak) {
    ResetHeapPeak();
    const size_t before = HeapBytesInUse();
    auto block = std::make_unique<char[]>(1 << 20);
    block[0] = 1;
    EXPECT_GE(HeapBytesInUse(), before + (1 << 20));
    const size_t high = HeapPeakBytes();
    EXPECT_GE(high, before + (1 << 20));
    block.reset();
    EXPECT_LT(HeapBytesInUse(), before + 4096);
    EXPECT_EQ(HeapPeakBytes(), high) << "the peak stays after the bytes are given back";
    ResetHeapPeak();
    EXPECT_LT(HeapPeakBytes(), high);
    EXPECT_GT(ResidentBytes(), 0u);
    EXPECT_GT(MallocBytesInUse(), 0u);
}

} // namespace
} // namespace pelko::testing
