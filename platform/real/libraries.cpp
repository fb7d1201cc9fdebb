// The system version and run-time loaded libraries (kernel32).
#include "platform/api.h"
#include "platform/real/live_objects.h"

namespace win {

BOOL GetVersionExA(OSVERSIONINFOA* info) {
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
  // Deprecated, and capped at 6.2 without a manifest entry; the program only
  // needs the platform identifier, which it reports faithfully.
  return ::GetVersionExA(info);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
}

HMODULE LoadLibraryA(const char* name) {
  HMODULE module = ::LoadLibraryA(name);
  if (module != nullptr) win::live::Opened(win::live::LiveKind::Library);
  return module;
}

FARPROC GetProcAddress(HMODULE module, const char* name) { return ::GetProcAddress(module, name); }

BOOL FreeLibrary(HMODULE module) {
  const BOOL freed = ::FreeLibrary(module);
  if (freed) win::live::Closed(win::live::LiveKind::Library);
  return freed;
}

}  // namespace win
