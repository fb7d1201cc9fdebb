// The registry's tree for the simulator's own files: the Registry class, the
// program's Reg* functions and the branch file share these walks.
#pragma once
#include <string>
#include <vector>

#include "platform/sim/internals.h"

namespace sim {

struct RegistryAccess {
  using Key = Registry::Key;

  static Key& Root(Registry& registry, int root) { return registry.roots_[root]; }
  static const Key& Root(const Registry& registry, int root) { return registry.roots_[root]; }
  static const char* RootName(int root) { return root == 0 ? "HKLM" : "HKCU"; }

  // "HKLM\A\B" (or HKEY_LOCAL_MACHINE, HKCU, HKEY_CURRENT_USER; any case):
  // the root and the key names as written. Empty names are skipped.
  static bool ParsePath(const std::string& path, int& root, std::vector<std::string>& names);

  static Key* Child(Key& key, const std::string& name);  // any case; null when missing
  static const Key* Child(const Key& key, const std::string& name);
  // The child, created (with a fresh serial) when missing; created says which.
  static Key& AddChild(Registry& registry, Key& key, const std::string& name, bool& created);
  static std::uint64_t NewSerial(Registry& registry) { return registry.nextSerial_++; }

  // The key a handle refers to; null once that key was deleted, also when
  // another key of the same name took its place.
  static Key* Resolve(Registry& registry, const KeyRef& ref);
  // "HKLM\SYSTEM\..." with the names as created.
  static std::string DisplayPath(const Registry& registry, const KeyRef& ref);
};

}  // namespace sim
