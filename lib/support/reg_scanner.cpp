#include "lib/support/reg_scanner.h"

#include <cstring>

#include "core/little_endian.h"
#include "core/text.h"
#include "platform/api.h"

namespace {
constexpr std::size_t kMaxKeyText = 259;

// Copies a counted text into a terminated buffer; false when it does not fit.
bool Terminated(std::size_t len, const char* text, char (&out)[kMaxKeyText + 1]) {
  if (text == nullptr || core::LengthA(len, text) > kMaxKeyText) return false;
  core::CopyA(kMaxKeyText, out, len, text);
  return true;
}
}  // namespace

bool CRegScannerA::Init(const char* computer, std::size_t keyLen, const char* key, win::HKEY root) {
  Done();
  char path[kMaxKeyText + 1];
  if (computer != nullptr || !Terminated(keyLen, key, path)) return false;
  if (win::RegOpenKeyExA(root, path, 0, KEY_READ | KEY_WRITE, key_.receive()) != ERROR_SUCCESS) {
    // A key we may only read still serves the loaders.
    if (win::RegOpenKeyExA(root, path, 0, KEY_READ, key_.receive()) != ERROR_SUCCESS) return false;
  }
  return true;
}

bool CRegScannerA::Create(const char* computer, std::size_t keyLen, const char* key, win::HKEY root) {
  Done();
  char path[kMaxKeyText + 1];
  if (computer != nullptr || !Terminated(keyLen, key, path)) return false;
  win::DWORD disposition = 0;
  return win::RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                              key_.receive(), &disposition) == ERROR_SUCCESS;
}

bool CRegScannerA::SetSection(std::size_t nameLen, const char* name) {
  char sub[kMaxKeyText + 1];
  if (!key_.valid() || !Terminated(nameLen, name, sub)) return false;
  win::HKEY opened = nullptr;
  if (win::RegOpenKeyExA(key_.get(), sub, 0, KEY_READ | KEY_WRITE, &opened) != ERROR_SUCCESS &&
      win::RegOpenKeyExA(key_.get(), sub, 0, KEY_READ, &opened) != ERROR_SUCCESS)
    return false;
  section_.reset(opened);
  return true;
}

bool CRegScannerA::CreateSection(std::size_t nameLen, const char* name) {
  char sub[kMaxKeyText + 1];
  if (!key_.valid() || !Terminated(nameLen, name, sub)) return false;
  win::ScopedKey created;
  win::DWORD disposition = 0;
  return win::RegCreateKeyExA(key_.get(), sub, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                              created.receive(), &disposition) == ERROR_SUCCESS;
}

bool CRegScannerA::GetKeyInt(std::size_t nameLen, const char* name, std::int32_t* value) {
  char valueName[kMaxKeyText + 1];
  if (Target() == nullptr || value == nullptr || !Terminated(nameLen, name, valueName)) return false;
  win::DWORD type = 0;
  win::BYTE data[4] = {};
  win::DWORD size = sizeof(data);
  if (win::RegQueryValueExA(Target(), valueName, nullptr, &type, data, &size) != ERROR_SUCCESS) return false;
  // Only a 32-bit number is an integer; anything else leaves the caller's value.
  if (type != REG_DWORD || size != 4) return false;
  *value = static_cast<std::int32_t>(core::ReadLe32(data));
  return true;
}

bool CRegScannerA::SetKeyInt(std::size_t nameLen, const char* name, std::int32_t value) {
  char valueName[kMaxKeyText + 1];
  if (Target() == nullptr || !Terminated(nameLen, name, valueName)) return false;
  return SetKeyCard(valueName, static_cast<std::uint32_t>(value));
}

void CRegScannerA::Done() {
  section_.reset();
  key_.reset();
}

bool CRegScannerA::vfInit(const char* computer, const char* key, win::HKEY root) {
  return Init(computer, kMaxKeyText + 1, key, root);
}

bool CRegScannerA::SetKeyCard(const char* name, std::uint32_t value) {
  if (Target() == nullptr || name == nullptr) return false;
  const win::BYTE data[4] = {static_cast<win::BYTE>(value), static_cast<win::BYTE>(value >> 8),
                             static_cast<win::BYTE>(value >> 16), static_cast<win::BYTE>(value >> 24)};
  return win::RegSetValueExA(Target(), name, 0, REG_DWORD, data, sizeof(data)) == ERROR_SUCCESS;
}

bool CRegScannerA::DeleteKey(const char* name) {
  if (Target() == nullptr || name == nullptr) return false;
  return win::RegDeleteValueA(Target(), name) == ERROR_SUCCESS;
}

void CRegScannerA::vfDone() { Done(); }
