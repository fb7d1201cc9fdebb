// Windows-1250 toolkit texts as FLTK shows them.
#pragma once
#include <cstddef>
#include <string>

namespace view::fltk {

// At most len characters of text, stopping at a NUL, in UTF-8.
std::string Utf8Of(std::size_t len, const char* text);

// A widget label that FLTK shows as written: '&' (shortcut underline) and a
// leading '@' (symbol) are doubled.
std::string LabelText(const std::string& utf8);

// A menu item name for Fl_Menu_::add, which also reads '/' (submenu), '\\'
// and a leading '_' (divider): those are escaped with a backslash.
std::string MenuItemText(const std::string& utf8);

}  // namespace view::fltk
