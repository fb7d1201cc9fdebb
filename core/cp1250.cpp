#include "core/cp1250.h"

namespace core {

static void PutUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string Utf8FromCp1250(const char* text, std::size_t len) {
  std::string out;
  for (std::size_t i = 0; i < len && text[i] != '\0'; ++i)
    PutUtf8(out, UnicodeFromCp1250(static_cast<unsigned char>(text[i])));
  return out;
}

// One UTF-8 sequence at utf8[i]: its code point and length. A malformed one
// (bad lead, missing continuation, overlong, surrogate, beyond U+10FFFF)
// gives false and the length of its maximal valid prefix, at least 1, so the
// character after it is never swallowed.
static bool DecodeUtf8(const std::string& utf8, std::size_t i, std::uint32_t& cp, std::size_t& used) {
  const std::size_t n = utf8.size();
  const auto b = static_cast<unsigned char>(utf8[i]);
  used = 1;
  int extra;
  std::uint32_t min;
  if (b < 0x80) {
    cp = b;
    return true;
  } else if (b >= 0xC2 && b <= 0xDF) {
    cp = b & 0x1F;
    extra = 1;
    min = 0x80;
  } else if ((b & 0xF0) == 0xE0) {
    cp = b & 0x0F;
    extra = 2;
    min = 0x800;
  } else if (b >= 0xF0 && b <= 0xF4) {
    cp = b & 0x07;
    extra = 3;
    min = 0x10000;
  } else {
    return false;  // continuation byte, C0, C1 or F5..FF as a lead
  }
  for (int k = 1; k <= extra; ++k) {
    if (i + k >= n) return false;
    const auto c = static_cast<unsigned char>(utf8[i + k]);
    if ((c & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (c & 0x3F);
    ++used;
  }
  return cp >= min && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
}

bool Cp1250FromUtf8(const std::string& utf8, std::string& out) {
  out.clear();
  bool ok = true;
  std::size_t i = 0;
  while (i < utf8.size()) {
    std::uint32_t cp = 0;
    std::size_t used = 1;
    const int c = DecodeUtf8(utf8, i, cp, used) ? Cp1250FromUnicode(cp) : -1;
    i += used;
    if (c < 0) {
      out += '?';
      ok = false;
    } else {
      out += static_cast<char>(c);
    }
  }
  return ok;
}

std::u16string Utf16FromCp1250(const char* text, std::size_t len) {
  std::u16string out;
  for (std::size_t i = 0; i < len && text[i] != '\0'; ++i)
    out += static_cast<char16_t>(UnicodeFromCp1250(static_cast<unsigned char>(text[i])));
  return out;
}

}  // namespace core
