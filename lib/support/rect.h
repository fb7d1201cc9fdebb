// A rectangle in the parent's interior: x, y, width, height. A height of 0 asks
// the toolkit for a control's standard height; a default CRect places nothing.
#pragma once
#include <cstdint>

struct CRect {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;

  CRect() = default;
  CRect(std::int32_t x_, std::int32_t y_, std::int32_t w, std::int32_t h) : x(x_), y(y_), width(w), height(h) {}
  bool IsEmpty() const { return width <= 0 || height <= 0; }
  bool operator==(const CRect& o) const { return x == o.x && y == o.y && width == o.width && height == o.height; }
  bool operator!=(const CRect& o) const { return !(*this == o); }
};
