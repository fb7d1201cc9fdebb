// The program's registry functions over the world's registry: open keys are
// counted handles carrying the access they were opened with. Without
// administrator rights, HKLM opens for reading only, as on Windows.
#include <cstring>

#include "platform/api.h"
#include "platform/sim/registry_access.h"

namespace {

using Key = sim::RegistryAccess::Key;

constexpr win::REGSAM kKeyExecute = 0x20019;
constexpr win::REGSAM kGenericAll = 0x10000000;
constexpr win::REGSAM kWow64Flags = 0x0300;
// Rights that change a key or its values: KEY_SET_VALUE, KEY_CREATE_SUB_KEY,
// KEY_CREATE_LINK, DELETE, WRITE_DAC, WRITE_OWNER.
constexpr win::REGSAM kWriteRights = 0x0002 | 0x0004 | 0x0020 | 0x10000 | 0x40000 | 0x80000;

win::REGSAM Specific(win::REGSAM access) {
  win::REGSAM out = access & ~(GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | kGenericAll | kWow64Flags);
  if ((access & GENERIC_READ) != 0) out |= KEY_READ;
  if ((access & GENERIC_WRITE) != 0) out |= KEY_WRITE;
  if ((access & GENERIC_EXECUTE) != 0) out |= kKeyExecute;
  if ((access & kGenericAll) != 0) out |= KEY_ALL_ACCESS;
  return out;
}

// Where a key handle points: a predefined root or an open key.
struct Base {
  sim::KeyRef ref;
  Key* key = nullptr;
  win::REGSAM access = 0;
};

win::LONG ResolveBase(win::HKEY handle, Base& base) {
  sim::World& world = sim::World::Get();
  if (handle == HKEY_LOCAL_MACHINE || handle == HKEY_CURRENT_USER) {
    base.ref.root = handle == HKEY_LOCAL_MACHINE ? 0 : 1;
    base.key = &sim::RegistryAccess::Root(world.registry, base.ref.root);
    bool writable = base.ref.root == 1 || world.admin;
    base.access = writable ? KEY_ALL_ACCESS : KEY_READ;
    return ERROR_SUCCESS;
  }
  sim::HandleEntry* entry = world.internals().Find(handle, sim::HandleKind::RegistryKey);
  if (entry == nullptr) return ERROR_INVALID_HANDLE;
  base.ref = entry->key;
  base.access = entry->access;
  base.key = sim::RegistryAccess::Resolve(world.registry, base.ref);
  return base.key != nullptr ? ERROR_SUCCESS : sim::kErrorKeyDeleted;
}

// A relative path's names; false for a path Windows refuses.
bool SplitSubKey(const char* subKey, std::vector<std::string>& names) {
  names.clear();
  if (subKey == nullptr || *subKey == '\0') return true;
  std::string path(subKey);
  if (path.front() == '\\') return false;
  if (path.back() == '\\') path.pop_back();
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end == start || end - start > 255) return false;
    names.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return true;
}

win::LONG AddKeyHandle(const Base& base, const std::vector<std::string>& names, Key& key, win::REGSAM access,
                       win::HKEY* result) {
  sim::World& world = sim::World::Get();
  if (base.ref.root == 0 && !world.admin && (access & kWriteRights) != 0) return ERROR_ACCESS_DENIED;
  sim::HandleEntry entry;
  entry.kind = sim::HandleKind::RegistryKey;
  entry.key = base.ref;
  for (const std::string& name : names) entry.key.names.push_back(sim::UpperCase(name));
  entry.key.serial = key.serial;
  entry.access = access;
  entry.label = "registry key " + sim::RegistryAccess::DisplayPath(world.registry, entry.key);
  *result = static_cast<win::HKEY>(world.internals().Add(std::move(entry)));
  return ERROR_SUCCESS;
}

std::string ValueName(const char* name) { return name != nullptr ? name : ""; }

}  // namespace

namespace win {

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result) {
  (void)options;
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  Base base;
  if (LONG status = ResolveBase(key, base); status != ERROR_SUCCESS) return status;
  std::vector<std::string> names;
  if (!SplitSubKey(subKey, names)) return sim::kErrorBadPathname;
  Key* target = base.key;
  for (const std::string& name : names) {
    target = sim::RegistryAccess::Child(*target, name);
    if (target == nullptr) return ERROR_FILE_NOT_FOUND;
  }
  const REGSAM wanted = Specific(access);
  if (target->readOnly && (wanted & kWriteRights) != 0) return ERROR_ACCESS_DENIED;
  return AddKeyHandle(base, names, *target, wanted, result);
}

LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, char* className, DWORD options, REGSAM access,
                     SECURITY_ATTRIBUTES* security, HKEY* result, DWORD* disposition) {
  (void)className;
  (void)security;
  if (reserved != 0 || result == nullptr || subKey == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  Base base;
  if (LONG status = ResolveBase(key, base); status != ERROR_SUCCESS) return status;
  std::vector<std::string> names;
  if (!SplitSubKey(subKey, names)) return sim::kErrorBadPathname;

  // Creating a key needs the right to add subkeys to the key it starts from,
  // and to the last existing key on the way.
  Key* existing = base.key;
  Key* deepest = base.key;
  for (const std::string& name : names) {
    existing = existing != nullptr ? sim::RegistryAccess::Child(*existing, name) : nullptr;
    if (existing != nullptr) deepest = existing;
  }
  bool mustCreate = existing == nullptr;
  if (mustCreate && ((base.access & KEY_CREATE_SUB_KEY) == 0 || deepest->readOnly)) return ERROR_ACCESS_DENIED;
  REGSAM wanted = Specific(access);
  if (base.ref.root == 0 && !sim::World::Get().admin && (wanted & kWriteRights) != 0) return ERROR_ACCESS_DENIED;
  if (!mustCreate && existing->readOnly && (wanted & kWriteRights) != 0) return ERROR_ACCESS_DENIED;
  // A volatile key holds volatile keys only.
  const bool makeVolatile = (options & sim::kRegOptionVolatile) != 0;
  if (mustCreate && deepest->isVolatile && !makeVolatile) return sim::kErrorChildMustBeVolatile;

  Key* target = base.key;
  sim::Registry& registry = sim::World::Get().registry;
  for (const std::string& name : names) {
    bool created = false;
    target = &sim::RegistryAccess::AddChild(registry, *target, name, created);
    if (created) target->isVolatile = makeVolatile;
  }
  if (disposition != nullptr) *disposition = mustCreate ? sim::kRegCreatedNewKey : sim::kRegOpenedExistingKey;
  return AddKeyHandle(base, names, *target, wanted, result);
}

LONG RegCloseKey(HKEY key) {
  if (key == HKEY_LOCAL_MACHINE || key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
  return sim::World::Get().internals().Remove(key, sim::HandleKind::RegistryKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size) {
  Base base;
  if (LONG status = ResolveBase(key, base); status != ERROR_SUCCESS) return status;
  if (reserved != nullptr || (data != nullptr && size == nullptr)) return ERROR_INVALID_PARAMETER;
  if ((base.access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
  auto it = base.key->values.find(sim::UpperCase(ValueName(name)));
  if (it == base.key->values.end()) return ERROR_FILE_NOT_FOUND;
  const sim::Registry::Value& value = it->second;
  const DWORD length = static_cast<DWORD>(value.data.size());
  if (type != nullptr) *type = value.type;
  if (data == nullptr) {
    if (size != nullptr) *size = length;
    return ERROR_SUCCESS;
  }
  if (*size < length) {
    *size = length;
    return ERROR_MORE_DATA;
  }
  if (length > 0) std::memcpy(data, value.data.data(), length);
  *size = length;
  return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY key, const char* name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
  Base base;
  if (LONG status = ResolveBase(key, base); status != ERROR_SUCCESS) return status;
  if (reserved != 0) return ERROR_INVALID_PARAMETER;
  if (data == nullptr && size > 0) return sim::kErrorNoAccess;
  if ((base.access & KEY_SET_VALUE) == 0 || base.key->readOnly) return ERROR_ACCESS_DENIED;
  std::string shown = ValueName(name);
  std::string upper = sim::UpperCase(shown);
  sim::Registry::Value& value = base.key->values[upper];
  value.type = type;
  value.data.assign(data, data + size);
  base.key->valueNames.emplace(upper, shown);
  return ERROR_SUCCESS;
}

LONG RegDeleteValueA(HKEY key, const char* name) {
  Base base;
  if (LONG status = ResolveBase(key, base); status != ERROR_SUCCESS) return status;
  if ((base.access & KEY_SET_VALUE) == 0 || base.key->readOnly) return ERROR_ACCESS_DENIED;
  std::string upper = sim::UpperCase(ValueName(name));
  if (base.key->values.erase(upper) == 0) return ERROR_FILE_NOT_FOUND;
  base.key->valueNames.erase(upper);
  return ERROR_SUCCESS;
}

}  // namespace win
