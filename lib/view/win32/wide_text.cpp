#include "lib/view/win32/wide_text.h"

#include "core/cp1250.h"

namespace view::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wchar_t is UTF-16");

std::wstring WideFromCp1250(const char* text, std::size_t len) {
  if (text == nullptr) return std::wstring();
  const std::u16string utf16 = core::Utf16FromCp1250(text, len);
  return std::wstring(utf16.begin(), utf16.end());
}

}  // namespace view::win32
