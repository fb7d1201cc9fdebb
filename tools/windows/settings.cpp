#include "tools/windows/settings.h"

#include <windows.h>

namespace drive {
namespace {

const wchar_t kProgramKey[] = L"Software\\Kelvane\\zeltfw";
const wchar_t kWindowKey[] = L"Software\\Kelvane\\zeltfw\\Window";

bool ReadInt(HKEY key, const wchar_t* name, std::int32_t* value) {
  DWORD data = 0;
  DWORD size = sizeof(data);
  DWORD type = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
      size != sizeof(data))
    return false;
  *value = static_cast<std::int32_t>(data);
  return true;
}

}  // namespace

void ForgetSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, kProgramKey); }

void SavePosition(std::int32_t x, std::int32_t y) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kWindowKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  const DWORD values[2] = {static_cast<DWORD>(x), static_cast<DWORD>(y)};
  RegSetValueExW(key, L"XPos", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&values[0]), sizeof(DWORD));
  RegSetValueExW(key, L"YPos", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&values[1]), sizeof(DWORD));
  RegCloseKey(key);
}

bool ReadPosition(std::int32_t* x, std::int32_t* y) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kWindowKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  const bool both = ReadInt(key, L"XPos", x) & ReadInt(key, L"YPos", y);
  RegCloseKey(key);
  return both;
}

}  // namespace drive
