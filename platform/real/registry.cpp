// The registry (advapi32). Results are Windows error codes.
#include "platform/api.h"

namespace win {

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result) {
  return ::RegOpenKeyExA(key, subKey, options, access, result);
}

LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, char* className, DWORD options, REGSAM access,
                     SECURITY_ATTRIBUTES* security, HKEY* result, DWORD* disposition) {
  return ::RegCreateKeyExA(key, subKey, reserved, className, options, access, security, result, disposition);
}

LONG RegCloseKey(HKEY key) { return ::RegCloseKey(key); }

LONG RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size) {
  return ::RegQueryValueExA(key, name, reserved, type, data, size);
}

LONG RegSetValueExA(HKEY key, const char* name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
  return ::RegSetValueExA(key, name, reserved, type, data, size);
}

LONG RegDeleteValueA(HKEY key, const char* name) { return ::RegDeleteValueA(key, name); }

}  // namespace win
