// The module's file name, its version resource (version.dll) and its images.
#include "core/live_objects.h"
#include "platform/api.h"
// windows.h (through api.h) must come first
#include <winver.h>

namespace win {

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
  return ::GetModuleFileNameA(module, buffer, size);
}

DWORD GetFileVersionInfoSizeA(const char* file, DWORD* handle) { return ::GetFileVersionInfoSizeA(file, handle); }

BOOL GetFileVersionInfoA(const char* file, DWORD handle, DWORD size, void* data) {
  return ::GetFileVersionInfoA(file, handle, size, data);
}

BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* length) {
  return ::VerQueryValueA(block, subBlock, buffer, length);
}

HANDLE LoadImageA(HINSTANCE instance, const char* name, UINT type, int cx, int cy, UINT flags) {
  HANDLE image = ::LoadImageA(instance, name, type, cx, cy, flags);
  // Shared images belong to the system; the others are ours to destroy.
  if (image != nullptr && (flags & LR_SHARED) == 0) core::Opened(core::LiveKind::Gdi);
  return image;
}

}  // namespace win
