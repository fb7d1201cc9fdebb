// Bounded 8-bit text operations. Every text is zero-terminated Windows-1250 in a
// fixed buffer; maxLen is the buffer's capacity in characters (the buffer holds
// maxLen + 1 bytes). A source is read up to its zero byte or srcLen characters,
// whichever comes first. Results are cut at maxLen and always terminated.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace core {

// Number of characters before the zero byte, never more than maxLen.
std::size_t LengthA(std::size_t maxLen, const char* text);

// dest := source (cut at maxLen).
void CopyA(std::size_t maxLen, char* dest, std::size_t srcLen, const char* src);

// dest := dest + source (cut at maxLen).
void AppendA(std::size_t maxLen, char* dest, std::size_t srcLen, const char* src);

// dest := source + dest (cut at maxLen).
void PrependA(std::size_t maxLen, char* dest, std::size_t srcLen, const char* src);

// The same with the source as one view (a Text converts to it).
inline void CopyA(std::size_t maxLen, char* dest, std::string_view src) { CopyA(maxLen, dest, src.size(), src.data()); }
inline void AppendA(std::size_t maxLen, char* dest, std::string_view src) {
  AppendA(maxLen, dest, src.size(), src.data());
}

// Writes value in radix 2..36 (lower-case digits), no sign, no leading zeros.
// ok is false and dest is left empty when the digits do not fit maxLen or the
// radix is out of range.
void CardToStrA(std::uint32_t value, std::size_t maxLen, char* dest, std::uint32_t radix, bool& ok);

}  // namespace core
