// The hex layout of block readings.
#include "tools/desktop/hex_rows.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

TEST(HexRows, SixtyOneBytesMakeFourRowsFromTheBlockAddress) {
  BlockReading reading;
  reading.address = 0x3FF80;
  for (int i = 0; i < 61; ++i) reading.bytes.push_back(static_cast<std::uint8_t>(i));
  reading.changed.assign(61, false);
  reading.changed[17] = true;
  const std::vector<HexRow> rows = HexRows(reading);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].address, 0x3FF80u);
  EXPECT_EQ(rows[3].address, 0x3FFB0u);
  EXPECT_EQ(rows[3].bytes.size(), 13u);
  EXPECT_EQ(rows[3].bytes.front(), 48);
  EXPECT_TRUE(rows[1].changed[1]);
  EXPECT_FALSE(rows[1].changed[0]);
}

TEST(HexRows, TextMarksChangedBytes) {
  HexRow row;
  row.address = 0x0A;
  row.bytes = {0xC1, 0x04, 0x08};
  row.changed = {false, true, true};
  EXPECT_EQ(HexRowText(row), "0000000A  C1  04* 08*");
  row.changed = {false, false, false};
  EXPECT_EQ(HexRowText(row), "0000000A  C1  04  08");
}

TEST(HexRows, NoBytesNoRows) { EXPECT_TRUE(HexRows(BlockReading{}).empty()); }

}  // namespace
}  // namespace desktop
