// A device context that writes down every call, one line each, for the
// headless backend and for tests of PaintView:
//   ClearRect 0 0 256 148 | SetLineColor 0x00a0a0a0 | DrawLine 0 38 255 38
//   SelectFont caption | DrawString 0 20 63 "text as drawn"
// DrawString records the characters actually drawn (up to the NUL and at most
// maxLen), in UTF-8. SelectFont records the font's face name.
#pragma once
#include <string>
#include <vector>

#include "lib/view/graphics.h"

namespace view {

class RecordingDeviceContext : public CDeviceContext {
 public:
  explicit RecordingDeviceContext(TFont* startFont) : font_(startFont) {}
  void ClearRect(int x, int y, int width, int height) override;
  void SetLineColor(TColor color) override;
  void DrawLine(int x1, int y1, int x2, int y2) override;
  void SelectFont(TFont* font) override;
  void DrawString(int x, int y, std::size_t maxLen, const char* text) override;

  std::vector<std::string> calls;
  TFont* CurrentFont() const { return font_; }

 private:
  TFont* font_;
};

}  // namespace view
