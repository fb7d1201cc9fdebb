// The GDI fonts behind the toolkit's fonts: Arial 8 pt for the pane and the
// controls; bold where the toolkit font is bold (the caption).
// The cache owns every HFONT it made and deletes them when it goes.
#pragma once
#include <windows.h>

#include "lib/view/graphics.h"

namespace view::win32 {

class NativeFonts {
 public:
  NativeFonts() = default;
  ~NativeFonts();
  NativeFonts(const NativeFonts&) = delete;
  NativeFonts& operator=(const NativeFonts&) = delete;

  // The GDI font for a toolkit font; null gives the dialog font.
  HFONT For(const TFont* font);
  // Regular dialog font, for the controls.
  HFONT Dialog() { return Make(false); }

 private:
  HFONT Make(bool bold);
  HFONT regular_ = nullptr;
  HFONT bold_ = nullptr;
};

}  // namespace view::win32
