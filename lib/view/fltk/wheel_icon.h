// The program's icon, drawn in code (ProgramIcon in fltk.h gives it as an image): a filter wheel (dark disk, five
// coloured filters round a hub) on a transparent background.
#pragma once
#include <cstdint>
#include <vector>

namespace view::fltk {

// size x size pixels, RGBA, rows top to bottom.
std::vector<std::uint8_t> WheelIconPixels(int size);

}  // namespace view::fltk
