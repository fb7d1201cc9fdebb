// Modal message boxes: a title, three lines and an icon. The call returns
// when the user has closed the box.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "lib/view/window.h"

// owner, 2, a default rect, 1, 1, 4, then the title and three lines with
// their lengths (an empty line has length 0) and the icon. Returns 1.
int DoMessageBox(CWindow* owner, int kind, const CRect& rect, int a, int b, int c, std::size_t titleLen,
                 const char* title, std::size_t len1, const char* line1, std::size_t len2, const char* line2,
                 std::size_t len3, const char* line3, TIcon* icon);

// The program's boxes: placed as every box of the program is (2, a default
// rect, 1, 1, 4), each text with its length. A line's view may run past its
// NUL, where the box stops reading.
inline int DoMessageBox(CWindow* owner, std::string_view title, std::string_view line1, std::string_view line2,
                        std::string_view line3, TIcon* icon) {
  return DoMessageBox(owner, 2, CRect(), 1, 1, 4, title.size(), title.data(), line1.size(), line1.data(), line2.size(),
                      line2.data(), line3.size(), line3.data(), icon);
}

namespace view {
struct MessageBoxRecord {
  std::string title;  // Windows-1250, as passed, cut at the NUL or length
  std::string lines[3];
  TIcon* icon = nullptr;
};
}  // namespace view
