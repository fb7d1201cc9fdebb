#include <gtest/gtest.h>

#include <cstdint>

#include "core/memory.h"

namespace {

TEST(CoreMemory, CompareCountsEqualLeadingBytes) {
  const std::uint8_t a[5] = {1, 2, 3, 4, 5};
  std::uint8_t b[5] = {1, 2, 3, 4, 5};
  EXPECT_EQ(core::Compare(a, b, 5), 5u);
  b[4] = 0;
  EXPECT_EQ(core::Compare(a, b, 5), 4u);  // a difference in the last byte counts
  b[0] = 9;
  EXPECT_EQ(core::Compare(a, b, 5), 0u);
  EXPECT_EQ(core::Compare(a, b, 0), 0u);
}

TEST(CoreMemory, MoveHandlesOverlapBothWays) {
  std::uint8_t buf[8] = {0, 1, 2, 3, 4, 5, 6, 7};
  core::Move(buf, buf + 2, 5);
  const std::uint8_t right[8] = {0, 1, 0, 1, 2, 3, 4, 7};
  EXPECT_EQ(core::Compare(buf, right, 8), 8u);
  core::Move(buf + 2, buf, 5);
  const std::uint8_t left[8] = {0, 1, 2, 3, 4, 3, 4, 7};
  EXPECT_EQ(core::Compare(buf, left, 8), 8u);
}

}  // namespace
