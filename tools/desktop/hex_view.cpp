#include "tools/desktop/hex_view.h"

#include <FL/fl_draw.H>

#include <cstdio>

#include "tools/desktop/hex_rows.h"

namespace desktop {
namespace {
constexpr Fl_Fontsize kFontSize = 12;
constexpr int kRowHeight = 16;
constexpr int kPadding = 4;
constexpr Fl_Color kMarkBackground = 0xFFE06000;  // yellow, as FLTK writes RGB colours (0xRRGGBB00)
constexpr Fl_Color kMarkText = 0xC0000000;        // dark red
constexpr Fl_Color kAddressText = 0x60606000;
}  // namespace

HexView::HexView(int x, int y, int width, int height) : Fl_Widget(x, y, width, height) { box(FL_DOWN_BOX); }

void HexView::Show(const BlockReading& reading) {
  reading_ = reading;
  hasReading_ = true;
  redraw();
}

void HexView::Clear() {
  hasReading_ = false;
  redraw();
}

void HexView::draw() {
  draw_box(box(), FL_WHITE);
  if (!hasReading_) return;
  fl_push_clip(x() + 2, y() + 2, w() - 4, h() - 4);
  fl_font(FL_COURIER, kFontSize);
  const int cell = static_cast<int>(fl_width("00 ") + 0.5);
  const int addressWidth = static_cast<int>(fl_width("00000000  ") + 0.5);
  const int ascent = fl_height() - fl_descent();
  int top = y() + kPadding;
  char text[16];
  for (const HexRow& row : HexRows(reading_)) {
    int left = x() + kPadding;
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(row.address));
    fl_color(kAddressText);
    fl_draw(text, left, top + ascent);
    left += addressWidth;
    for (std::size_t i = 0; i < row.bytes.size(); ++i) {
      std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(row.bytes[i]));
      const bool changed = row.changed[i];
      if (changed) {
        fl_color(kMarkBackground);
        fl_rectf(left - 1, top, static_cast<int>(fl_width("00") + 0.5) + 2, kRowHeight - 1);
        fl_font(FL_COURIER_BOLD, kFontSize);
      }
      fl_color(changed ? kMarkText : FL_BLACK);
      fl_draw(text, left, top + ascent);
      if (changed) fl_font(FL_COURIER, kFontSize);
      left += cell;
    }
    top += kRowHeight;
  }
  fl_pop_clip();
}

}  // namespace desktop
