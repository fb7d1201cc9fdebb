// Windows-1250 text. Source files stay UTF-8; program texts are converted at
// compile time with CP1250("...") into a Text holding the 8-bit bytes and the
// exact character count. A character that Windows-1250 lacks stops the build.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// Unicode code points of the bytes 0x80..0xFF; 0 marks an unassigned byte.
inline constexpr std::uint16_t kCp1250High[128] = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021, 0x0000, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0000, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

// The byte for a code point, or -1 when Windows-1250 has none.
constexpr int Cp1250FromUnicode(std::uint32_t cp) {
  if (cp < 0x80) return static_cast<int>(cp);
  for (int i = 0; i < 128; ++i)
    if (kCp1250High[i] == cp) return 0x80 + i;
  return -1;
}

constexpr std::uint32_t UnicodeFromCp1250(unsigned char b) {
  return b < 0x80 ? b : (kCp1250High[b - 0x80] != 0 ? kCp1250High[b - 0x80] : 0xFFFD);
}

template <std::size_t N>
struct Text {
  char data[N] = {};
  std::size_t length = 0;
  constexpr const char* c_str() const { return data; }
  // The bytes without the terminator; what our own helpers take.
  constexpr std::string_view view() const { return {data, length}; }
  constexpr operator std::string_view() const { return view(); }
};

// Not constexpr: reached during constant evaluation, it stops the build (and
// needs no exceptions, which the shipped program is built without).
inline void BadCp1250Character() {}

template <std::size_t N>
constexpr Text<N> ToCp1250(const char (&utf8)[N]) {
  Text<N> out{};
  std::size_t i = 0, o = 0;
  while (i < N && utf8[i] != '\0') {
    auto b = static_cast<unsigned char>(utf8[i]);
    std::uint32_t cp = 0;
    int extra = 0;
    if (b < 0x80) {
      cp = b;
    } else if ((b & 0xE0) == 0xC0) {
      cp = b & 0x1F;
      extra = 1;
    } else if ((b & 0xF0) == 0xE0) {
      cp = b & 0x0F;
      extra = 2;
    } else {
      return BadCp1250Character(), out;
    }
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= N || (static_cast<unsigned char>(utf8[i + k]) & 0xC0) != 0x80) return BadCp1250Character(), out;
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += 1 + extra;
    int c = Cp1250FromUnicode(cp);
    if (c < 0) return BadCp1250Character(), out;
    out.data[o++] = static_cast<char>(c);
  }
  out.length = o;
  return out;
}

// Runtime conversions for the edges: scripts, screens, files.
std::string Utf8FromCp1250(const char* text, std::size_t len);
inline std::string Utf8FromCp1250(const std::string& s) { return Utf8FromCp1250(s.data(), s.size()); }
// False when the UTF-8 text holds a character that Windows-1250 lacks; out then holds '?' for it.
bool Cp1250FromUtf8(const std::string& utf8, std::string& out);
std::u16string Utf16FromCp1250(const char* text, std::size_t len);

}  // namespace core

// A compile-time Windows-1250 literal: CP1250("Počet").data / .length
#define CP1250(s)                                    \
  ([]() constexpr {                                  \
    constexpr auto converted_ = ::core::ToCp1250(s); \
    return converted_;                               \
  }())
