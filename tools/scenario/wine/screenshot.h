// A picture of what the screen shows of a window.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace scenario::wine {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first

  std::size_t DistinctColours() const;
  bool Save(const std::wstring& bmpPath) const;  // 24-bit BMP
};

// The window with its frame (whole = true) or its interior, as the screen shows it.
bool Capture(HWND hwnd, bool whole, Picture* picture);
// What the screen shows in rect (screen coordinates).
bool CaptureArea(const RECT& rect, Picture* picture);

}  // namespace scenario::wine
