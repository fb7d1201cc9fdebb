// The program's icon from res/zeltfw.ico, and .ico files that are not whole.
#include "tools/desktop/program_icon.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// A one-entry .ico with a 2x2, 32-bit image: bottom row first, BGRA. The
// alpha bytes are all zero, so the AND mask says what is transparent.
std::vector<std::uint8_t> TwoByTwoIco() {
  std::vector<std::uint8_t> file;
  Put16(file, 0);
  Put16(file, 1);
  Put16(file, 1);
  const std::uint32_t dibSize = 40 + 16 + 8;
  file.insert(file.end(), {2, 2, 0, 0});
  Put16(file, 1);
  Put16(file, 32);
  Put32(file, dibSize);
  Put32(file, 6 + 16);
  Put32(file, 40);
  Put32(file, 2);
  Put32(file, 4);  // height doubled: colours and mask
  Put16(file, 1);
  Put16(file, 32);
  for (int i = 0; i < 6; ++i) Put32(file, 0);
  file.insert(file.end(), {0, 0, 0xFF, 0, 0, 0xFF, 0, 0});  // bottom row: red, green
  file.insert(file.end(), {0xFF, 0, 0, 0, 1, 2, 3, 0});     // top row: blue, grey
  file.insert(file.end(), {0x40, 0, 0, 0});                 // bottom mask row: right pixel transparent
  file.insert(file.end(), {0x00, 0, 0, 0});                 // top mask row: both opaque
  return file;
}

TEST(ProgramIcon, TheBuiltInIconHasItsThreeSmallSizes) {
  ASSERT_GT(kIconFileSize, 0u) << "res/zeltfw.ico was not built in";
  const auto images = DecodeIco(kIconFile, kIconFileSize);
  ASSERT_EQ(images.size(), 3u) << "48, 32 and 16 pixels; the 256-pixel PNG is left out";
  for (const auto& image : images) {
    EXPECT_EQ(image.rgba[3], 0) << image.size << ": a round wheel leaves the corner transparent";
    const std::size_t centre = (static_cast<std::size_t>(image.size / 2) * image.size + image.size / 2) * 4;
    EXPECT_EQ(image.rgba[centre + 3], 255) << image.size;
  }
}

TEST(ProgramIcon, RowsComeTopDownAsRgbaWithTheMaskAsAlpha) {
  const std::vector<std::uint8_t> file = TwoByTwoIco();
  const auto images = DecodeIco(file.data(), file.size());
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].size, 2);
  const std::vector<std::uint8_t> expected = {0,    0, 0xFF, 255, 3, 2,    1, 255,  // blue, grey
                                              0xFF, 0, 0,    255, 0, 0xFF, 0, 0};   // red, green (transparent)
  EXPECT_EQ(images[0].rgba, expected);
}

TEST(ProgramIcon, DamagedFilesGiveNoImages) {
  const std::vector<std::uint8_t> whole = TwoByTwoIco();
  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    const std::vector<std::uint8_t> part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
    const auto images = DecodeIco(part.data(), part.size());
    // Only the mask may be missing: the colours are then taken as they are.
    if (cut < whole.size() - 8) {
      EXPECT_TRUE(images.empty()) << "cut at " << cut;
    }
  }
  std::vector<std::uint8_t> farOffset = whole;
  farOffset[18] = 0xFF;  // the entry's offset points past the end
  EXPECT_TRUE(DecodeIco(farOffset.data(), farOffset.size()).empty());
  std::vector<std::uint8_t> eightBit = whole;
  eightBit[6 + 16 + 14] = 8;  // a palette image
  EXPECT_TRUE(DecodeIco(eightBit.data(), eightBit.size()).empty());
  std::vector<std::uint8_t> cursor = whole;
  cursor[2] = 2;  // a .cur file
  EXPECT_TRUE(DecodeIco(cursor.data(), cursor.size()).empty());
  EXPECT_TRUE(DecodeIco(nullptr, 0).empty());
}

}  // namespace
}  // namespace desktop
