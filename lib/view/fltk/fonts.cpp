#include "lib/view/fltk/fonts.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <string>

#include "lib/view/fltk/text.h"

namespace view::fltk {
namespace {
constexpr Fl_Fontsize kDefaultSize = 12;
constexpr Fl_Fontsize kSmallestSize = 8;
}  // namespace

Fl_Font FontFace(const TFont* font) {
  const bool bold = font != nullptr && (font->bold || font == CaptionFont);
  return bold ? FL_HELVETICA_BOLD : FL_HELVETICA;
}

// The toolkit's pixel height is the character cell, as Windows measures a
// dialog font (13 for 8 points); FLTK sizes the em, 85 % of the cell.
Fl_Fontsize FontSize(const TFont* font) {
  if (font == nullptr || font->pixelHeight <= 0) return kDefaultSize;
  const int size = (font->pixelHeight * 85 + 50) / 100;
  return size < kSmallestSize ? kSmallestSize : size;
}

void UseDialogFaces() {
  // The first character is FLTK's style code: ' ' regular, 'B' bold.
  Fl::set_font(FL_HELVETICA, " Liberation Sans");
  Fl::set_font(FL_HELVETICA_BOLD, "BLiberation Sans");
}

void SelectFont(const TFont* font) { fl_font(FontFace(font), FontSize(font)); }

int MeasureText(const TFont* font, std::size_t len, const char* text) {
  const std::string utf8 = Utf8Of(len, text);
  if (utf8.empty()) return 0;
  SelectFont(font);
  return static_cast<int>(fl_width(utf8.c_str(), static_cast<int>(utf8.size())) + 0.5);
}

}  // namespace view::fltk
