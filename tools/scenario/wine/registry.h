// The prefix's real registry as the scripts name it: "HKLM\SYSTEM\..." or
// "HKCU\Software\..." (HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER too).
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace scenario::wine {

// The world's start: the six driver services' "Parameters" keys, empty, and
// no settings of the program for this user.
void ResetRegistry();

// False (a script error) for a path outside HKLM and HKCU.
bool SplitRegistryPath(const std::string& path, HKEY& root, std::wstring& subKey);
bool CreateKey(const std::string& path, bool isVolatile = false);
void DeleteKey(const std::string& path);
bool KeyExists(const std::string& path);
bool SetDword(const std::string& path, const std::string& name, std::uint32_t value);
bool SetString(const std::string& path, const std::string& name, const std::string& utf8);
void DeleteValue(const std::string& path, const std::string& name);
// The key's permissions: reading only (and changing the permissions
// themselves), or everything; false when the key is missing or refuses.
bool SetReadOnly(const std::string& path, bool readOnly);
// What a restart of the machine leaves of the program's keys for this user:
// those created volatile are deleted.
void DropVolatileKeys();
// "absent", the number of a 4-byte REG_DWORD, or a description of anything else.
std::string ValueText(const std::string& path, const std::string& name, std::optional<std::uint32_t>& number);

}  // namespace scenario::wine
