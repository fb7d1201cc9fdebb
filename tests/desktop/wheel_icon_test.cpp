// The program's icon as the FLTK backend draws it.
#include "lib/view/fltk/wheel_icon.h"

#include <gtest/gtest.h>

#include <set>

namespace view::fltk {
namespace {

const std::uint8_t* Pixel(const std::vector<std::uint8_t>& pixels, int size, int x, int y) {
  return &pixels[(static_cast<std::size_t>(y) * size + x) * 4];
}

TEST(WheelIcon, ARoundOpaqueWheelOnATransparentSquare) {
  for (int size : {16, 32, 48}) {
    const std::vector<std::uint8_t> pixels = WheelIconPixels(size);
    ASSERT_EQ(pixels.size(), static_cast<std::size_t>(size * size * 4));
    EXPECT_EQ(Pixel(pixels, size, 0, 0)[3], 0) << size;
    EXPECT_EQ(Pixel(pixels, size, size - 1, size - 1)[3], 0) << size;
    EXPECT_EQ(Pixel(pixels, size, size / 2, size / 2)[3], 255) << size;
    EXPECT_EQ(Pixel(pixels, size, size / 2, 1)[3] > 0, true) << "the rim reaches the edge";
    std::set<std::uint32_t> colours;
    for (std::size_t i = 0; i < pixels.size(); i += 4)
      if (pixels[i + 3] == 255) colours.insert(pixels[i] << 16 | pixels[i + 1] << 8 | pixels[i + 2]);
    EXPECT_GE(colours.size(), 6u) << "disk, hub and coloured filters";
  }
  EXPECT_TRUE(WheelIconPixels(0).empty());
}

}  // namespace
}  // namespace view::fltk
