// Toolkit fonts on FLTK: the caption font is Helvetica bold, every other
// font Helvetica; both through Xft, so Czech letters show. Helvetica is
// Liberation Sans (Debian: fonts-liberation), whose widths are those of the
// Windows dialog fonts the pane's layout was made for; fontconfig falls back
// to another sans face when it is missing.
#pragma once
#include <FL/Enumerations.H>

#include <cstddef>

#include "lib/view/graphics.h"

namespace view::fltk {

// Points FLTK's Helvetica faces at Liberation Sans; before the first text.
void UseDialogFaces();
Fl_Font FontFace(const TFont* font);
Fl_Fontsize FontSize(const TFont* font);
// Makes font the current fl_ font.
void SelectFont(const TFont* font);
// Width in pixels of at most len characters of the Windows-1250 text.
int MeasureText(const TFont* font, std::size_t len, const char* text);

}  // namespace view::fltk
