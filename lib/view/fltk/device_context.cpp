#include "lib/view/fltk/device_context.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <string>

#include "lib/view/fltk/fonts.h"
#include "lib/view/fltk/text.h"

namespace view::fltk {

FltkDeviceContext::FltkDeviceContext(int originX, int originY, TFont* startFont)
    : originX_(originX), originY_(originY), font_(startFont) {}

void FltkDeviceContext::ClearRect(int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return;
  fl_color(FL_BACKGROUND_COLOR);
  fl_rectf(originX_ + x, originY_ + y, width, height);
}

void FltkDeviceContext::SetLineColor(TColor color) { lineColor_ = color; }

void FltkDeviceContext::DrawLine(int x1, int y1, int x2, int y2) {
  // TColor is 0x00BBGGRR.
  fl_color(static_cast<uchar>(lineColor_ & 0xFF), static_cast<uchar>((lineColor_ >> 8) & 0xFF),
           static_cast<uchar>((lineColor_ >> 16) & 0xFF));
  fl_line(originX_ + x1, originY_ + y1, originX_ + x2, originY_ + y2);
}

void FltkDeviceContext::SelectFont(TFont* font) { font_ = font; }

void FltkDeviceContext::DrawString(int x, int y, std::size_t maxLen, const char* text) {
  const std::string utf8 = Utf8Of(maxLen, text);
  if (utf8.empty()) return;
  fltk::SelectFont(font_);
  fl_color(FL_FOREGROUND_COLOR);
  // (x, y) is the top-left corner of the text; fl_draw wants the baseline.
  const int baseline = originY_ + y + fl_height() - fl_descent();
  fl_draw(utf8.c_str(), static_cast<int>(utf8.size()), originX_ + x, baseline);
}

}  // namespace view::fltk
