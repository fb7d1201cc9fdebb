#include "lib/view/fltk/text.h"

#include "core/cp1250.h"
#include "core/text.h"

namespace view::fltk {

std::string Utf8Of(std::size_t len, const char* text) {
  if (text == nullptr) return std::string();
  const std::size_t count = core::LengthA(len, text);
  return count == 0 ? std::string() : core::Utf8FromCp1250(text, count);
}

std::string LabelText(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size() + 2);
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    if (c == '&' || (c == '@' && i == 0)) out += c;
    out += c;
  }
  return out;
}

std::string MenuItemText(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size() + 2);
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    if (c == '/' || c == '\\' || (c == '_' && i == 0)) out += '\\';
    if (c == '&' || (c == '@' && i == 0)) out += c;
    out += c;
  }
  return out;
}

}  // namespace view::fltk
