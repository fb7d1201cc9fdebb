// The module's file name, its version resource (version.dll) and its images.
#include "platform/api.h"
#include "platform/real/live_objects.h"
// windows.h (through api.h) must come first
#include <winver.h>

#include <string>

namespace win {
namespace {

// version.dll serves only the About box: it is loaded from the system
// directory when first asked for, not at start-up, and stays loaded as an
// import would. Without it the calls fail as for a file without a version.
struct VersionLibrary {
  decltype(&::GetFileVersionInfoSizeA) infoSize = nullptr;
  decltype(&::GetFileVersionInfoA) info = nullptr;
  decltype(&::VerQueryValueA) query = nullptr;
};

template <typename Function>
void Find(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

const VersionLibrary& Version() {
  static VersionLibrary library;
  static bool tried = false;
  if (tried) return library;
  tried = true;
  char path[MAX_PATH + 16];
  const UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return library;
  lstrcpynA(path + length, "\\version.dll", 16);
  const HMODULE module = ::LoadLibraryA(path);
  if (module == nullptr) return library;
  Find(module, "GetFileVersionInfoSizeA", library.infoSize);
  Find(module, "GetFileVersionInfoA", library.info);
  Find(module, "VerQueryValueA", library.query);
  return library;
}

// The ANSI form of a wide path when it names the same file: false when the
// ANSI code page lacks one of its characters.
bool AnsiForm(const std::wstring& wide, std::string& ansi) {
  const UINT codePage = ::GetACP();
  BOOL lossy = FALSE;
  BOOL* lossyOut = codePage == CP_UTF8 ? nullptr : &lossy;  // UTF-8 holds everything and takes no such flag
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int length = static_cast<int>(wide.size());
  const int bytes = ::WideCharToMultiByte(codePage, flags, wide.c_str(), length, nullptr, 0, nullptr, lossyOut);
  if (bytes <= 0 || lossy) return false;
  ansi.assign(static_cast<std::size_t>(bytes), '\0');
  return ::WideCharToMultiByte(codePage, flags, wide.c_str(), length, &ansi[0], bytes, nullptr, lossyOut) == bytes &&
         !lossy;
}

}  // namespace

// A folder whose name the ANSI code page cannot hold ("Jiří" on a Western
// European Windows) gives an ANSI path that names no file. Then the path
// handed on is the short form of the wide one, which does, when the volume
// keeps short names. Otherwise, and for everything else, the ANSI call as it is.
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
  constexpr DWORD kWideMost = 32768;
  std::wstring wide(kWideMost, L'\0');
  const DWORD length = ::GetModuleFileNameW(module, &wide[0], kWideMost);
  std::string ansi;
  if (buffer == nullptr || size == 0 || length == 0 || length >= kWideMost)
    return ::GetModuleFileNameA(module, buffer, size);
  wide.resize(length);
  if (AnsiForm(wide, ansi)) return ::GetModuleFileNameA(module, buffer, size);
  std::wstring shortForm(kWideMost, L'\0');
  const DWORD shortLength = ::GetShortPathNameW(wide.c_str(), &shortForm[0], kWideMost);
  if (shortLength == 0 || shortLength >= kWideMost) return ::GetModuleFileNameA(module, buffer, size);
  shortForm.resize(shortLength);
  if (!AnsiForm(shortForm, ansi)) return ::GetModuleFileNameA(module, buffer, size);
  // As GetModuleFileNameA: cut to the buffer, NUL-terminated, the size returned when cut.
  if (ansi.size() + 1 > size) {
    ansi.copy(buffer, size - 1);
    buffer[size - 1] = '\0';
    ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  ansi.copy(buffer, ansi.size());
  buffer[ansi.size()] = '\0';
  return static_cast<DWORD>(ansi.size());
}

DWORD GetFileVersionInfoSizeA(const char* file, DWORD* handle) {
  const auto function = Version().infoSize;
  if (function == nullptr) {
    ::SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return 0;
  }
  return function(file, handle);
}

BOOL GetFileVersionInfoA(const char* file, DWORD handle, DWORD size, void* data) {
  const auto function = Version().info;
  if (function == nullptr) {
    ::SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return FALSE;
  }
  return function(file, handle, size, data);
}

BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* length) {
  const auto function = Version().query;
  return function != nullptr ? function(block, subBlock, buffer, length) : FALSE;
}

HANDLE LoadImageA(HINSTANCE instance, const char* name, UINT type, int cx, int cy, UINT flags) {
  HANDLE image = ::LoadImageA(instance, name, type, cx, cy, flags);
  // Shared images belong to the system; the others are ours to destroy.
  if (image != nullptr && (flags & LR_SHARED) == 0) win::live::Opened(win::live::LiveKind::Gdi);
  return image;
}

}  // namespace win
