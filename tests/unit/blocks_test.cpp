// Filter count and wheel type in the kept blocks of the three series.
#include "config/blocks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/cp1250.h"

namespace {

constexpr std::uint32_t kRavik = 0x004;  // Ravik KAF bit
constexpr std::uint32_t kZelt = 0x010;   // Zelt KAF bit
constexpr std::uint32_t kOskel = 0x080;

std::string CountText(std::uint32_t count) {
  const std::string_view t = config::FilterCountText(count);
  return core::Utf8FromCp1250(t.data(), t.size());
}

// Fills both copies with a pattern so that untouched bytes can be checked.
config::WizardState Patterned() {
  config::WizardState s;
  for (std::size_t i = 0; i < sizeof(s.RavikBlockCopy); ++i) s.RavikBlockCopy[i] = static_cast<std::uint8_t>(0xA0 + i);
  for (std::size_t i = 0; i < sizeof(s.ZeltBlockCopy); ++i) s.ZeltBlockCopy[i] = static_cast<std::uint8_t>(0x30 + i);
  return s;
}

TEST(Blocks, SeriesTestsRavikFirstThenOskelElseZelt) {
  EXPECT_EQ(config::SeriesOf(0x002), config::Series::Ravik);
  EXPECT_EQ(config::SeriesOf(0x100), config::Series::Oskel);
  EXPECT_EQ(config::SeriesOf(0x020), config::Series::Zelt);
  EXPECT_EQ(config::SeriesOf(0x000), config::Series::Zelt);
  EXPECT_EQ(config::SeriesOf(0x001), config::Series::Zelt);  // open bit alone names no series
}

TEST(Blocks, RavikCountCodes) {
  config::WizardState s;
  s.RavikBlockCopy[5] = 0xF7;
  const std::uint32_t expected[4] = {0, 5, 6, 7};
  for (std::uint8_t code = 0; code < 4; ++code) {
    s.RavikBlockCopy[4] = static_cast<std::uint8_t>(0x7C | code);
    EXPECT_EQ(config::GetFilterCount(s, kRavik), expected[code]) << "code " << int(code);
  }
  // Code 3 with 5 in the low nibble reads as 5 and preselects item 2.
  s.RavikBlockCopy[4] = 0x03;
  s.RavikBlockCopy[5] = 0x35;
  EXPECT_EQ(config::GetFilterCount(s, kRavik), 5u);
  EXPECT_EQ(config::FilterCountItem(5), 2);
  // Code 3 with 11: no item, "Není instalováno".
  s.RavikBlockCopy[5] = 0x0B;
  EXPECT_EQ(config::GetFilterCount(s, kRavik), 11u);
  EXPECT_EQ(config::FilterCountItem(11), 0);
  EXPECT_EQ(CountText(11), "Není instalováno");
}

TEST(Blocks, RavikSetFilterCountTouchesOnlyTheCountBits) {
  for (int item = 1; item <= 8; ++item) {
    config::WizardState s = Patterned();
    config::WizardState before = s;
    config::SetFilterCount(s, kRavik, item);
    const std::uint8_t b4 = s.RavikBlockCopy[4], b5 = s.RavikBlockCopy[5];
    EXPECT_EQ(b4 & 0xFC, before.RavikBlockCopy[4] & 0xFC) << item;
    if (item <= 3) {
      EXPECT_EQ(b4 & 3, item - 1) << item;
      EXPECT_EQ(b5, before.RavikBlockCopy[5]) << item;  // byte 5 untouched for 0, 5, 6
    } else {
      EXPECT_EQ(b4 & 3, 3) << item;
      EXPECT_EQ(b5 & 0xF0, before.RavikBlockCopy[5] & 0xF0) << item;
    }
    const std::uint32_t counts[9] = {0, 0, 5, 6, 7, 8, 9, 10, 12};
    EXPECT_EQ(config::GetFilterCount(s, kRavik), counts[item]);
    for (std::size_t i = 0; i < sizeof(s.RavikBlockCopy); ++i)
      if (i != 4 && i != 5) {
        EXPECT_EQ(s.RavikBlockCopy[i], before.RavikBlockCopy[i]) << "byte " << i;
      }
    EXPECT_EQ(0, std::memcmp(s.ZeltBlockCopy, before.ZeltBlockCopy, sizeof(s.ZeltBlockCopy)));
  }
}

TEST(Blocks, NoSelectionChangesNothing) {
  for (std::uint32_t series : {kRavik, kZelt, kOskel}) {
    for (int item : {0, -1, 9, 100}) {
      config::WizardState s = Patterned();
      config::WizardState before = s;
      config::SetFilterCount(s, series, item);
      EXPECT_EQ(0, std::memcmp(&s, &before, sizeof(s)));
    }
  }
}

TEST(Blocks, ZeltAndOskelCountIsByteFive) {
  config::WizardState s = Patterned();
  for (std::uint32_t series : {kZelt, kOskel}) {
    for (std::uint8_t v : {0, 3, 11, 200, 255}) {
      s.ZeltBlockCopy[5] = v;
      EXPECT_EQ(config::GetFilterCount(s, series), v);
    }
    config::SetFilterCount(s, series, 8);
    EXPECT_EQ(s.ZeltBlockCopy[5], 12);
    config::SetFilterCount(s, series, 1);
    EXPECT_EQ(s.ZeltBlockCopy[5], 0);
  }
  EXPECT_EQ(CountText(3), "Není instalováno");
  EXPECT_EQ(CountText(200), "Není instalováno");
  EXPECT_EQ(CountText(12), "12 pozic");
  EXPECT_EQ(CountText(0), "Není instalováno");
}

TEST(Blocks, WheelBitsPerSeries) {
  config::WizardState s;
  // The same byte reads differently in Oskel (bit 1, inverted) and Zelt (bit 2).
  s.ZeltBlockCopy[4] = 0x02;
  EXPECT_FALSE(config::IsWheelRevision2(s, kOskel));
  EXPECT_FALSE(config::IsWheelRevision2(s, kZelt));
  s.ZeltBlockCopy[4] = 0x04;
  EXPECT_TRUE(config::IsWheelRevision2(s, kOskel));
  EXPECT_TRUE(config::IsWheelRevision2(s, kZelt));

  s.ZeltBlockCopy[4] = 0xFF;
  config::SetWheelRevision2(s, kOskel, true);
  EXPECT_EQ(s.ZeltBlockCopy[4], 0xFD);  // clears bit 1, leaves bit 2
  config::SetWheelRevision2(s, kOskel, false);
  EXPECT_EQ(s.ZeltBlockCopy[4], 0xFF);
  s.ZeltBlockCopy[4] = 0x00;
  config::SetWheelRevision2(s, kZelt, true);
  EXPECT_EQ(s.ZeltBlockCopy[4], 0x04);  // sets bit 2, leaves bit 1
  s.RavikBlockCopy[4] = 0x03;
  config::SetWheelRevision2(s, kRavik, true);
  EXPECT_EQ(s.RavikBlockCopy[4], 0x83);
  EXPECT_TRUE(config::IsWheelRevision2(s, kRavik));
  config::SetWheelRevision2(s, kRavik, false);
  EXPECT_EQ(s.RavikBlockCopy[4], 0x03);
}

TEST(Blocks, CameraTypeAndIdTexts) {
  config::WizardState s;
  const char type[] = "ABCDEFGHIJKLMNOP";  // longer than the 14-byte field
  std::memcpy(s.ZeltBlockCopy + 16, type, 14);
  s.ZeltBlockCopy[30] = 'X';  // the byte after the field is not part of the text
  s.ZeltBlockCopy[0] = 0xFF;
  s.ZeltBlockCopy[1] = 0xFF;
  s.ZeltBlockCopy[2] = 0xFF;
  s.ZeltBlockCopy[3] = 0xFF;
  char text[32];
  config::CameraTypeText(s, kZelt, 31, text);
  EXPECT_STREQ(text, "ABCDEFGHIJKLMN");
  config::CameraIdText(s, kZelt, 31, text);
  EXPECT_STREQ(text, "4294967295");  // bit 31 set: still positive

  std::memcpy(s.RavikBlockCopy + 14, "Ravik\0junk", 10);
  s.RavikBlockCopy[0] = 0x39;
  s.RavikBlockCopy[1] = 0x30;
  s.RavikBlockCopy[2] = 0;
  s.RavikBlockCopy[3] = 0;
  config::CameraTypeText(s, kRavik, 31, text);
  EXPECT_STREQ(text, "Ravik");
  config::CameraIdText(s, kRavik, 31, text);
  EXPECT_STREQ(text, "12345");
}

TEST(Blocks, ModelCodeIsLittleEndianAtOffsetThree) {
  const std::uint8_t identity[10] = {1, 2, 3, 0xB1, 0x04, 9, 9, 9, 9, 9};
  EXPECT_EQ(config::ModelCode(identity), 1201);
}

}  // namespace
