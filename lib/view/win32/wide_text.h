// The toolkit's Windows-1250 texts as UTF-16 for the W functions, so Czech
// shows right whatever the system's ANSI code page is.
#pragma once
#include <cstddef>
#include <string>

namespace view::win32 {

// Up to len characters, stopping at a NUL.
std::wstring WideFromCp1250(const char* text, std::size_t len);
inline std::wstring WideFromCp1250(const std::string& text) { return WideFromCp1250(text.data(), text.size()); }

}  // namespace view::win32
