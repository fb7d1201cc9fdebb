// CRegScannerA: one registry key at a time, with an optional selected section
// (a subkey of it), through the platform's registry functions. Texts are
// 8-bit and travel with their lengths. Every operation but Done/vfDone
// reports success; Done/vfDone close whatever is open and may always be called.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/scoped.h"

class CRegScannerA {
 public:
  CRegScannerA() = default;
  ~CRegScannerA() = default;  // the keys close themselves
  CRegScannerA(const CRegScannerA&) = delete;
  CRegScannerA& operator=(const CRegScannerA&) = delete;

  // Opens an existing key under root; never creates one. computer must be null.
  bool Init(const char* computer, std::size_t keyLen, const char* key, win::HKEY root);
  // Opens the key, creating it (and its parents) when missing.
  bool Create(const char* computer, std::size_t keyLen, const char* key, win::HKEY root);
  // Selects an existing subkey of the open key as the section; false when missing.
  bool SetSection(std::size_t nameLen, const char* name);
  // Creates a subkey of the open key (does not select it).
  bool CreateSection(std::size_t nameLen, const char* name);
  // Reads a 32-bit integer of the selected section (the key itself when none is
  // selected); value is left unchanged when the value is missing or unreadable.
  bool GetKeyInt(std::size_t nameLen, const char* name, std::int32_t* value);
  bool SetKeyInt(std::size_t nameLen, const char* name, std::int32_t value);
  void Done();

  // The same with each text and its length as one view.
  bool Init(const char* computer, std::string_view key, win::HKEY root) {
    return Init(computer, key.size(), key.data(), root);
  }
  bool Create(const char* computer, std::string_view key, win::HKEY root) {
    return Create(computer, key.size(), key.data(), root);
  }
  bool SetSection(std::string_view name) { return SetSection(name.size(), name.data()); }
  bool CreateSection(std::string_view name) { return CreateSection(name.size(), name.data()); }
  bool GetKeyInt(std::string_view name, std::int32_t* value) { return GetKeyInt(name.size(), name.data(), value); }
  bool SetKeyInt(std::string_view name, std::int32_t value) { return SetKeyInt(name.size(), name.data(), value); }

  // The same for zero-terminated texts, as the driver permission uses them.
  bool vfInit(const char* computer, const char* key, win::HKEY root);
  bool SetKeyCard(const char* name, std::uint32_t value);
  bool DeleteKey(const char* name);  // removes the value `name`
  void vfDone();

 private:
  win::ScopedKey key_;
  win::ScopedKey section_;
  win::HKEY Target() const { return section_.valid() ? section_.get() : key_.get(); }
};
