#include "core/memory.h"

#include <cstdlib>
#include <cstring>

namespace core {

void* Allocate(std::size_t size) { return std::malloc(size == 0 ? 1 : size); }

void Free(void* block) { std::free(block); }

void Move(const void* src, void* dest, std::size_t count) {
  if (count != 0) std::memmove(dest, src, count);
}

void Fill(void* dest, std::size_t count, std::uint8_t value) {
  if (count != 0) std::memset(dest, value, count);
}

std::size_t Compare(const void* first, const void* second, std::size_t count) {
  const auto* a = static_cast<const unsigned char*>(first);
  const auto* b = static_cast<const unsigned char*>(second);
  std::size_t i = 0;
  while (i < count && a[i] == b[i]) ++i;
  return i;
}

}  // namespace core
