#include "tools/scenario/wine/registry.h"

#include <vector>

#include "tools/windows/windows_of.h"

namespace scenario::wine {
namespace {

const char* const kDriverServices[] = {"ravikccdI", "ravikccdF", "zeltccdI", "zeltccdF", "zeltccdB", "zeltccdBI"};

// An open key, closed when it goes.
class Key {
 public:
  Key(const std::string& path, REGSAM access, bool create) {
    HKEY root = nullptr;
    std::wstring subKey;
    if (!SplitRegistryPath(path, root, subKey)) return;
    if (create)
      RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, 0, access, nullptr, &key_, nullptr);
    else
      RegOpenKeyExW(root, subKey.c_str(), 0, access, &key_);
  }
  ~Key() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

bool SplitRegistryPath(const std::string& path, HKEY& root, std::wstring& subKey) {
  static const struct {
    const char* prefix;
    HKEY root;
  } kRoots[] = {{"HKLM\\", HKEY_LOCAL_MACHINE},
                {"HKCU\\", HKEY_CURRENT_USER},
                {"HKEY_LOCAL_MACHINE\\", HKEY_LOCAL_MACHINE},
                {"HKEY_CURRENT_USER\\", HKEY_CURRENT_USER}};
  for (const auto& r : kRoots) {
    const std::string prefix = r.prefix;
    if (path.size() > prefix.size() && _strnicmp(path.c_str(), prefix.c_str(), prefix.size()) == 0) {
      root = r.root;
      subKey = drive::Wide(path.substr(prefix.size()));
      return true;
    }
  }
  return false;
}

void ResetRegistry() {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Kelvane");
  for (const char* service : kDriverServices) {
    const std::string key = std::string("HKLM\\SYSTEM\\CurrentControlSet\\Services\\") + service;
    DeleteKey(key);
    CreateKey(key + "\\Parameters");
  }
}

bool CreateKey(const std::string& path) { return Key(path, KEY_READ, true).get() != nullptr; }

void DeleteKey(const std::string& path) {
  HKEY root = nullptr;
  std::wstring subKey;
  if (SplitRegistryPath(path, root, subKey)) RegDeleteTreeW(root, subKey.c_str());
}

bool KeyExists(const std::string& path) { return Key(path, KEY_READ, false).get() != nullptr; }

bool SetDword(const std::string& path, const std::string& name, std::uint32_t value) {
  Key key(path, KEY_SET_VALUE, true);
  const DWORD data = value;
  return key.get() != nullptr && RegSetValueExW(key.get(), drive::Wide(name).c_str(), 0, REG_DWORD,
                                                reinterpret_cast<const BYTE*>(&data), sizeof(data)) == ERROR_SUCCESS;
}

bool SetString(const std::string& path, const std::string& name, const std::string& utf8) {
  Key key(path, KEY_SET_VALUE, true);
  const std::wstring text = drive::Wide(utf8);
  return key.get() != nullptr &&
         RegSetValueExW(key.get(), drive::Wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void DeleteValue(const std::string& path, const std::string& name) {
  Key key(path, KEY_SET_VALUE, false);
  if (key.get() != nullptr) RegDeleteValueW(key.get(), drive::Wide(name).c_str());
}

std::string ValueText(const std::string& path, const std::string& name, std::optional<std::uint32_t>& number) {
  number.reset();
  Key key(path, KEY_QUERY_VALUE, false);
  DWORD type = 0;
  DWORD size = 0;
  if (key.get() == nullptr ||
      RegQueryValueExW(key.get(), drive::Wide(name).c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return "absent";
  std::vector<BYTE> data(size + 2, 0);
  RegQueryValueExW(key.get(), drive::Wide(name).c_str(), nullptr, &type, data.data(), &size);
  if (type == REG_DWORD && size == 4) {
    number =
        static_cast<std::uint32_t>(data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24);
    return std::to_string(*number);
  }
  if (type == REG_SZ) return "string \"" + drive::Narrow(reinterpret_cast<const wchar_t*>(data.data())) + "\"";
  return "type " + std::to_string(type) + ", " + std::to_string(size) + " bytes";
}

}  // namespace scenario::wine
