#include "core/text.h"

namespace core {

std::size_t LengthA(std::size_t maxLen, const char* text) {
  if (text == nullptr) return 0;
  std::size_t n = 0;
  while (n < maxLen && text[n] != '\0') ++n;
  return n;
}

void CopyA(std::size_t maxLen, char* dest, std::size_t srcLen, const char* src) {
  if (dest == nullptr) return;
  std::size_t n = LengthA(srcLen < maxLen ? srcLen : maxLen, src);
  // memmove semantics: the source may lie inside the destination.
  for (std::size_t i = 0; i < n; ++i) dest[i] = src[i];
  dest[n] = '\0';
}

void AppendA(std::size_t maxLen, char* dest, std::size_t srcLen, const char* src) {
  if (dest == nullptr) return;
  std::size_t have = LengthA(maxLen, dest);
  std::size_t room = maxLen - have;
  std::size_t n = LengthA(srcLen < room ? srcLen : room, src);
  for (std::size_t i = 0; i < n; ++i) dest[have + i] = src[i];
  dest[have + n] = '\0';
}

void PrependA(std::size_t maxLen, char* dest, std::size_t srcLen, const char* src) {
  if (dest == nullptr) return;
  std::size_t add = LengthA(srcLen < maxLen ? srcLen : maxLen, src);
  std::size_t have = LengthA(maxLen, dest);
  std::size_t keep = have < maxLen - add ? have : maxLen - add;
  // Shift the kept part right first, from the end, then put the source in front.
  for (std::size_t i = keep; i > 0; --i) dest[add + i - 1] = dest[i - 1];
  for (std::size_t i = 0; i < add; ++i) dest[i] = src[i];
  dest[add + keep] = '\0';
}

void CardToStrA(std::uint32_t value, std::size_t maxLen, char* dest, std::uint32_t radix, bool& ok) {
  ok = false;
  if (dest == nullptr) return;
  dest[0] = '\0';
  if (radix < 2 || radix > 36) return;
  char digits[33];
  std::size_t n = 0;
  do {
    std::uint32_t d = value % radix;
    digits[n++] = static_cast<char>(d < 10 ? '0' + d : 'a' + (d - 10));
    value /= radix;
  } while (value != 0);
  if (n > maxLen) return;
  for (std::size_t i = 0; i < n; ++i) dest[i] = digits[n - 1 - i];
  dest[n] = '\0';
  ok = true;
}

}  // namespace core
