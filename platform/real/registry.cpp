// The registry (advapi32). Results are Windows error codes.
#include "platform/api.h"
#include "platform/real/live_objects.h"

namespace win {
namespace {

// HKEY_CURRENT_USER and the other root keys are not opened and need no closing.
bool IsRootKey(HKEY key) {
  const auto bits = static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(key) & 0xFFFFFFFFu);
  return bits >= 0x80000000u && bits <= 0x8000000Fu;
}

}  // namespace

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result) {
  const LONG status = ::RegOpenKeyExA(key, subKey, options, access, result);
  if (status == ERROR_SUCCESS && !IsRootKey(*result)) win::live::Opened(win::live::LiveKind::Registry);
  return status;
}

LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, char* className, DWORD options, REGSAM access,
                     SECURITY_ATTRIBUTES* security, HKEY* result, DWORD* disposition) {
  const LONG status =
      ::RegCreateKeyExA(key, subKey, reserved, className, options, access, security, result, disposition);
  if (status == ERROR_SUCCESS && !IsRootKey(*result)) win::live::Opened(win::live::LiveKind::Registry);
  return status;
}

LONG RegCloseKey(HKEY key) {
  const LONG status = ::RegCloseKey(key);
  if (status == ERROR_SUCCESS && !IsRootKey(key)) win::live::Closed(win::live::LiveKind::Registry);
  return status;
}

LONG RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size) {
  return ::RegQueryValueExA(key, name, reserved, type, data, size);
}

LONG RegSetValueExA(HKEY key, const char* name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
  return ::RegSetValueExA(key, name, reserved, type, data, size);
}

LONG RegDeleteValueA(HKEY key, const char* name) { return ::RegDeleteValueA(key, name); }

}  // namespace win
