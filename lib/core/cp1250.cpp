#include "lib/core/cp1250.h"

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

bool Cp1250FromUtf8(const std::string& utf8, std::string& out) {
  out.clear();
  bool ok = true;
  std::size_t i = 0, n = utf8.size();
  while (i < n) {
    auto b = static_cast<unsigned char>(utf8[i]);
    std::uint32_t cp;
    int extra;
    if (b < 0x80) {
      cp = b;
      extra = 0;
    } else if ((b & 0xE0) == 0xC0) {
      cp = b & 0x1F;
      extra = 1;
    } else if ((b & 0xF0) == 0xE0) {
      cp = b & 0x0F;
      extra = 2;
    } else if ((b & 0xF8) == 0xF0) {
      cp = b & 0x07;
      extra = 3;
    } else {
      out += '?';
      ok = false;
      ++i;
      continue;
    }
    if (i + extra >= n) {  // truncated sequence
      out += '?';
      return false;
    }
    for (int k = 1; k <= extra; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += 1 + extra;
    int c = Cp1250FromUnicode(cp);
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
