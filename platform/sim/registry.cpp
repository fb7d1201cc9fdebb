// The in-memory registry: HKLM and HKCU trees with names that compare without
// case and keep the case they were created with.
#include "core/cp1250.h"
#include "core/little_endian.h"
#include "platform/sim/registry_access.h"

namespace sim {

bool RegistryAccess::ParsePath(const std::string& path, int& root, std::vector<std::string>& names) {
  names.clear();
  std::size_t start = 0;
  bool first = true;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(start, end - start);
    start = end + 1;
    if (first) {
      std::string upper = UpperCase(part);
      if (upper == "HKLM" || upper == "HKEY_LOCAL_MACHINE") {
        root = 0;
      } else if (upper == "HKCU" || upper == "HKEY_CURRENT_USER") {
        root = 1;
      } else {
        return false;
      }
      first = false;
    } else if (!part.empty()) {
      names.push_back(part);
    }
  }
  return !first;
}

RegistryAccess::Key* RegistryAccess::Child(Key& key, const std::string& name) {
  auto it = key.subkeys.find(UpperCase(name));
  return it == key.subkeys.end() ? nullptr : it->second.get();
}

const RegistryAccess::Key* RegistryAccess::Child(const Key& key, const std::string& name) {
  auto it = key.subkeys.find(UpperCase(name));
  return it == key.subkeys.end() ? nullptr : it->second.get();
}

RegistryAccess::Key& RegistryAccess::AddChild(Registry& registry, Key& key, const std::string& name, bool& created) {
  std::string upper = UpperCase(name);
  auto& slot = key.subkeys[upper];
  created = slot == nullptr;
  if (created) {
    slot = std::make_unique<Key>();
    slot->serial = NewSerial(registry);
    key.subkeyNames[upper] = name;
  }
  return *slot;
}

RegistryAccess::Key* RegistryAccess::Resolve(Registry& registry, const KeyRef& ref) {
  Key* key = &Root(registry, ref.root);
  for (const std::string& name : ref.names) {
    key = Child(*key, name);
    if (key == nullptr) return nullptr;
  }
  return key->serial == ref.serial ? key : nullptr;
}

std::string RegistryAccess::DisplayPath(const Registry& registry, const KeyRef& ref) {
  std::string out = RootName(ref.root);
  const Key* key = &Root(registry, ref.root);
  for (const std::string& name : ref.names) {
    const std::string* shown = &name;
    if (key != nullptr) {
      auto it = key->subkeyNames.find(UpperCase(name));
      if (it != key->subkeyNames.end()) shown = &it->second;
      key = Child(*key, name);
    }
    out += '\\';
    out += *shown;
  }
  return out;
}

Registry::Value Registry::Value::Dword(std::uint32_t number) {
  Value v;
  v.type = REG_DWORD;
  for (int i = 0; i < 4; ++i) v.data.push_back(static_cast<std::uint8_t>(number >> (8 * i)));
  return v;
}

Registry::Value Registry::Value::String(const std::string& utf8) {
  std::string text;
  core::Cp1250FromUtf8(utf8, text);
  Value v;
  v.type = REG_SZ;
  v.data.assign(text.begin(), text.end());
  v.data.push_back(0);
  return v;
}

bool Registry::Value::AsDword(std::uint32_t& number) const {
  if (type != REG_DWORD || data.size() != 4) return false;
  number = core::ReadLe32(data.data());
  return true;
}

Registry::Key* Registry::Find(const std::string& path, bool create, bool isVolatile) {
  int root = 0;
  std::vector<std::string> names;
  if (!RegistryAccess::ParsePath(path, root, names)) return nullptr;
  Key* key = &roots_[root];
  for (const std::string& name : names) {
    if (create) {
      bool created = false;
      key = &RegistryAccess::AddChild(*this, *key, name, created);
      if (created) key->isVolatile = isVolatile;
    } else {
      key = RegistryAccess::Child(*key, name);
      if (key == nullptr) return nullptr;
    }
  }
  return key;
}

const Registry::Key* Registry::Find(const std::string& path) const {
  int root = 0;
  std::vector<std::string> names;
  if (!RegistryAccess::ParsePath(path, root, names)) return nullptr;
  const Key* key = &roots_[root];
  for (const std::string& name : names) {
    key = RegistryAccess::Child(*key, name);
    if (key == nullptr) return nullptr;
  }
  return key;
}

bool Registry::CreateKey(const std::string& path, bool isVolatile) { return Find(path, true, isVolatile) != nullptr; }

bool Registry::DeleteKey(const std::string& path) {
  int root = 0;
  std::vector<std::string> names;
  if (!RegistryAccess::ParsePath(path, root, names) || names.empty()) return false;  // roots stay
  std::string last = UpperCase(names.back());
  names.pop_back();
  Key* parent = &roots_[root];
  for (const std::string& name : names) {
    parent = RegistryAccess::Child(*parent, name);
    if (parent == nullptr) return false;
  }
  if (parent->subkeys.erase(last) == 0) return false;
  parent->subkeyNames.erase(last);
  return true;
}

bool Registry::KeyExists(const std::string& path) const { return Find(path) != nullptr; }

bool Registry::SetValue(const std::string& path, const std::string& name, const Value& value) {
  Key* key = Find(path, false);
  if (key == nullptr) return false;
  std::string upper = UpperCase(name);
  key->values[upper] = value;
  key->valueNames.emplace(upper, name);  // an existing value keeps the case of its name
  return true;
}

bool Registry::DeleteValue(const std::string& path, const std::string& name) {
  Key* key = Find(path, false);
  if (key == nullptr) return false;
  std::string upper = UpperCase(name);
  key->valueNames.erase(upper);
  return key->values.erase(upper) > 0;
}

const Registry::Value* Registry::GetValue(const std::string& path, const std::string& name) const {
  const Key* key = Find(path);
  if (key == nullptr) return nullptr;
  auto it = key->values.find(UpperCase(name));
  return it == key->values.end() ? nullptr : &it->second;
}

void Registry::SetReadOnly(const std::string& path, bool readOnly) {
  if (Key* key = Find(path, false)) key->readOnly = readOnly;
}

bool Registry::IsReadOnly(const std::string& path) const {
  const Key* key = Find(path);
  return key != nullptr && key->readOnly;
}

bool Registry::IsVolatile(const std::string& path) const {
  const Key* key = Find(path);
  return key != nullptr && key->isVolatile;
}

namespace {

void DropVolatile(RegistryAccess::Key& key) {
  for (auto it = key.subkeys.begin(); it != key.subkeys.end();) {
    if (it->second->isVolatile) {
      key.subkeyNames.erase(it->first);
      it = key.subkeys.erase(it);
    } else {
      DropVolatile(*it->second);
      ++it;
    }
  }
}

}  // namespace

void Registry::RestartMachine() {
  for (Key& root : roots_) DropVolatile(root);
}

namespace {

std::string DescribeValue(const Registry::Value& value) {
  std::uint32_t number = 0;
  if (value.AsDword(number)) return "dword " + std::to_string(number);
  if (value.type == REG_SZ) {
    std::string text(value.data.begin(), value.data.end());
    return "string " + core::Utf8FromCp1250(text.c_str(), text.size());
  }
  static const char kDigits[] = "0123456789abcdef";
  std::string out = "binary ";
  for (std::uint8_t b : value.data) {
    out += kDigits[b >> 4];
    out += kDigits[b & 0xF];
  }
  return out;
}

void DumpKey(const RegistryAccess::Key& key, const std::string& path, std::vector<std::string>& out) {
  for (const auto& [upper, value] : key.values) {
    auto name = key.valueNames.find(upper);
    std::string shown = name != key.valueNames.end() ? name->second : upper;
    out.push_back(path + " " + (shown.empty() ? "(default)" : shown) + " " + DescribeValue(value));
  }
  for (const auto& [upper, child] : key.subkeys) {
    auto name = key.subkeyNames.find(upper);
    DumpKey(*child, path + "\\" + (name != key.subkeyNames.end() ? name->second : upper), out);
  }
}

}  // namespace

std::vector<std::string> Registry::Dump(const std::string& path) const {
  std::vector<std::string> out;
  int root = 0;
  std::vector<std::string> names;
  if (!RegistryAccess::ParsePath(path, root, names)) return out;
  KeyRef ref{root, names, 0};
  const Key* key = Find(path);
  if (key != nullptr) DumpKey(*key, RegistryAccess::DisplayPath(*this, ref), out);
  return out;
}

void Registry::Clear() {
  for (Key& root : roots_) {
    root.subkeys.clear();
    root.subkeyNames.clear();
    root.values.clear();
    root.valueNames.clear();
    root.readOnly = false;
  }
}

}  // namespace sim
