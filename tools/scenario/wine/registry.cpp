#include "tools/scenario/wine/registry.h"

#include <vector>

#include "tools/scenario/wine/windows_of.h"

namespace scenario::wine {
namespace {

const char* const kDriverServices[] = {"ravikccdI", "ravikccdF", "zeltccdI", "zeltccdF", "zeltccdB", "zeltccdBI"};

// An open key, closed when it goes.
class Key {
 public:
  enum How { kOpen, kCreate, kVolatile };  // kVolatile: the keys it creates are volatile
  Key(const std::string& path, REGSAM access, How how) {
    HKEY root = nullptr;
    std::wstring subKey;
    if (!SplitRegistryPath(path, root, subKey)) return;
    if (how == kOpen)
      RegOpenKeyExW(root, subKey.c_str(), 0, access, &key_);
    else
      RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, how == kVolatile ? REG_OPTION_VOLATILE : 0, access, nullptr,
                      &key_, nullptr);
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
      subKey = wine::Wide(path.substr(prefix.size()));
      return true;
    }
  }
  return false;
}

namespace {

// Everyone may do what access allows with the key: a DACL of one entry.
bool Permit(HKEY key, DWORD access) {
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) return false;
  std::vector<BYTE> aclBytes(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(everyone));
  auto* acl = reinterpret_cast<ACL*>(aclBytes.data());
  SECURITY_DESCRIPTOR descriptor;
  const bool made = InitializeAcl(acl, static_cast<DWORD>(aclBytes.size()), ACL_REVISION) &&
                    AddAccessAllowedAce(acl, ACL_REVISION, access, everyone) &&
                    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
                    SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
  const bool set = made && RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
  FreeSid(everyone);
  return set;
}

// A key made read-only may still have its permissions changed: WRITE_DAC.
constexpr DWORD kReadOnlyAccess = KEY_READ | WRITE_DAC;

// Every key under key (the key itself last) gets full access again; the walk
// needs only what a read-only key still allows.
void MakeWritable(HKEY parent, const wchar_t* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(parent, name, 0, KEY_READ | WRITE_DAC, &key) != ERROR_SUCCESS) return;
  wchar_t child[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    if (RegEnumKeyExW(key, i, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    MakeWritable(key, child);
  }
  Permit(key, KEY_ALL_ACCESS);
  RegCloseKey(key);
}

// Deletes the key when it is volatile, else the volatile keys under it. A
// key is volatile exactly when it refuses a non-volatile subkey; the probe
// key made otherwise goes again.
void DropVolatile(HKEY parent, const wchar_t* name) {
  constexpr wchar_t kProbe[] = L"zelt-play volatility probe";
  HKEY key = nullptr;
  if (RegOpenKeyExW(parent, name, 0, KEY_READ | KEY_CREATE_SUB_KEY | DELETE, &key) != ERROR_SUCCESS) return;
  HKEY probe = nullptr;
  DWORD disposition = 0;
  const LONG status =
      RegCreateKeyExW(key, kProbe, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ, nullptr, &probe, &disposition);
  if (probe != nullptr) {
    RegCloseKey(probe);
    if (disposition == REG_CREATED_NEW_KEY) RegDeleteKeyW(key, kProbe);
  }
  if (status == ERROR_SUCCESS) {
    std::vector<std::wstring> children;
    wchar_t child[256];
    for (DWORD i = 0;; ++i) {
      DWORD length = 256;
      if (RegEnumKeyExW(key, i, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      children.emplace_back(child);
    }
    for (const std::wstring& each : children) DropVolatile(key, each.c_str());
  }
  RegCloseKey(key);
  if (status == ERROR_CHILD_MUST_BE_VOLATILE) RegDeleteTreeW(parent, name);
}

}  // namespace

void ResetRegistry() {
  MakeWritable(HKEY_CURRENT_USER, L"Software\\Kelvane");
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Kelvane");
  for (const char* service : kDriverServices) {
    const std::string key = std::string("HKLM\\SYSTEM\\CurrentControlSet\\Services\\") + service;
    MakeWritable(HKEY_LOCAL_MACHINE, wine::Wide(key.substr(5)).c_str());
    DeleteKey(key);
    CreateKey(key + "\\Parameters");
  }
}

bool CreateKey(const std::string& path, bool isVolatile) {
  return Key(path, KEY_READ, isVolatile ? Key::kVolatile : Key::kCreate).get() != nullptr;
}

void DeleteKey(const std::string& path) {
  HKEY root = nullptr;
  std::wstring subKey;
  if (SplitRegistryPath(path, root, subKey)) RegDeleteTreeW(root, subKey.c_str());
}

bool KeyExists(const std::string& path) { return Key(path, KEY_READ, Key::kOpen).get() != nullptr; }

bool SetDword(const std::string& path, const std::string& name, std::uint32_t value) {
  Key key(path, KEY_SET_VALUE, Key::kCreate);
  const DWORD data = value;
  return key.get() != nullptr && RegSetValueExW(key.get(), wine::Wide(name).c_str(), 0, REG_DWORD,
                                                reinterpret_cast<const BYTE*>(&data), sizeof(data)) == ERROR_SUCCESS;
}

bool SetString(const std::string& path, const std::string& name, const std::string& utf8) {
  Key key(path, KEY_SET_VALUE, Key::kCreate);
  const std::wstring text = wine::Wide(utf8);
  return key.get() != nullptr &&
         RegSetValueExW(key.get(), wine::Wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void DeleteValue(const std::string& path, const std::string& name) {
  Key key(path, KEY_SET_VALUE, Key::kOpen);
  if (key.get() != nullptr) RegDeleteValueW(key.get(), wine::Wide(name).c_str());
}

bool SetReadOnly(const std::string& path, bool readOnly) {
  HKEY root = nullptr;
  std::wstring subKey;
  if (!SplitRegistryPath(path, root, subKey)) return false;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ | WRITE_DAC, &key) != ERROR_SUCCESS) return false;
  const bool set = Permit(key, readOnly ? kReadOnlyAccess : KEY_ALL_ACCESS);
  RegCloseKey(key);
  return set;
}

void DropVolatileKeys() { DropVolatile(HKEY_CURRENT_USER, L"Software\\Kelvane"); }

std::string ValueText(const std::string& path, const std::string& name, std::optional<std::uint32_t>& number) {
  number.reset();
  Key key(path, KEY_QUERY_VALUE, Key::kOpen);
  DWORD type = 0;
  DWORD size = 0;
  if (key.get() == nullptr ||
      RegQueryValueExW(key.get(), wine::Wide(name).c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return "absent";
  std::vector<BYTE> data(size + 2, 0);
  RegQueryValueExW(key.get(), wine::Wide(name).c_str(), nullptr, &type, data.data(), &size);
  if (type == REG_DWORD && size == 4) {
    number =
        static_cast<std::uint32_t>(data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24);
    return std::to_string(*number);
  }
  if (type == REG_SZ) return "string \"" + wine::Narrow(reinterpret_cast<const wchar_t*>(data.data())) + "\"";
  return "type " + std::to_string(type) + ", " + std::to_string(size) + " bytes";
}

}  // namespace scenario::wine
