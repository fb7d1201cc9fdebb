// The module's file name, its version resource (version.dll) and its images.
#include "core/live_objects.h"
#include "platform/api.h"
// windows.h (through api.h) must come first
#include <winver.h>

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

}  // namespace

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
  return ::GetModuleFileNameA(module, buffer, size);
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
  if (image != nullptr && (flags & LR_SHARED) == 0) core::Opened(core::LiveKind::Gdi);
  return image;
}

}  // namespace win
