// The module's file name, its version resource (version.dll) and its images.
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
  return ::LoadImageA(instance, name, type, cx, cy, flags);
}

}  // namespace win
