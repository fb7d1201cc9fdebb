#include "tools/camera_emulator/device_entry.h"

#include <setupapi.h>
#include <winternl.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace camera_emulator {
namespace {

// The setup class of emulated cameras; Windows only files the devices under it.
constexpr GUID kEmulatedCameraSetupClass = {
    0x5a3c7e21, 0x9d04, 0x4c6b, {0x8f, 0x11, 0x2e, 0x7a, 0x90, 0x3d, 0xc4, 0x58}};
constexpr wchar_t kDeviceClassesKey[] = L"SYSTEM\\CurrentControlSet\\Control\\DeviceClasses";
constexpr wchar_t kEnumKey[] = L"SYSTEM\\CurrentControlSet\\Enum\\ROOT\\ZELTCAM";
constexpr ACCESS_MASK kSymbolicLinkAllAccess = 0xF0001;

using NtCreateSymbolicLinkObjectFn = LONG(NTAPI*)(HANDLE*, ACCESS_MASK, OBJECT_ATTRIBUTES*, UNICODE_STRING*);

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }  // ASCII paths

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

std::string LastError(const char* what) {
  char text[96];
  std::snprintf(text, sizeof(text), "%s failed, error %lu", what, GetLastError());
  return text;
}

}  // namespace

bool DeviceEntry::Create(const GUID& interfaceClass, int number, const std::string& reference, std::string& error) {
  reference_ = reference;
  DeviceList set(kEmulatedCameraSetupClass);
  if (set.get() == INVALID_HANDLE_VALUE) return error = LastError("SetupDiCreateDeviceInfoList"), false;
  char instance[32];
  std::snprintf(instance, sizeof(instance), "ROOT\\ZELTCAM\\%04d", number);
  SP_DEVINFO_DATA device = {};
  device.cbSize = sizeof(device);
  if (!SetupDiCreateDeviceInfoA(set.get(), instance, &kEmulatedCameraSetupClass, nullptr, nullptr, 0, &device))
    return error = LastError("SetupDiCreateDeviceInfoA"), false;
  if (!SetupDiRegisterDeviceInfo(set.get(), &device, 0, nullptr, nullptr, nullptr))
    return error = LastError("SetupDiRegisterDeviceInfo"), false;
  SP_DEVICE_INTERFACE_DATA iface = {};
  iface.cbSize = sizeof(iface);
  if (!SetupDiCreateDeviceInterfaceA(set.get(), &device, &interfaceClass, reference.c_str(), 0, &iface))
    return error = LastError("SetupDiCreateDeviceInterfaceA"), false;
  DWORD required = 0;
  SetupDiGetDeviceInterfaceDetailA(set.get(), &iface, nullptr, 0, &required, nullptr);
  std::vector<char> buffer(required + 1);
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
  if (required == 0 || !SetupDiGetDeviceInterfaceDetailA(set.get(), &iface, detail, required, nullptr, nullptr))
    return error = LastError("SetupDiGetDeviceInterfaceDetailA"), false;
  path_ = detail->DevicePath;

  // "\\?\root#zeltcam#0007#{class}\zcama": the link is everything before the
  // reference string, the registry keeps the interface as "##?#...\#zcama".
  const std::size_t slash = path_.rfind('\\');
  if (path_.rfind("\\\\?\\", 0) != 0 || slash == std::string::npos || slash < 4)
    return error = "unexpected interface path " + path_, false;
  const std::wstring devicePart = Widen(path_.substr(4, slash - 4));
  wchar_t classText[40];
  const GUID& g = interfaceClass;
  std::swprintf(classText, 40, L"{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2, g.Data3,
                g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
  controlKey_ = std::wstring(kDeviceClassesKey) + L"\\" + classText + L"\\##?#" + devicePart + L"\\#" +
                Widen(path_.substr(slash + 1)) + L"\\Control";

  auto create = reinterpret_cast<NtCreateSymbolicLinkObjectFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtCreateSymbolicLinkObject")));
  if (create == nullptr) return error = "ntdll has no NtCreateSymbolicLinkObject", false;
  std::wstring linkName = L"\\??\\" + devicePart;
  std::wstring target = L"\\Device\\NamedPipe";
  UNICODE_STRING name = {static_cast<USHORT>(linkName.size() * 2), static_cast<USHORT>(linkName.size() * 2),
                         linkName.data()};
  UNICODE_STRING targetName = {static_cast<USHORT>(target.size() * 2), static_cast<USHORT>(target.size() * 2),
                               target.data()};
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE, nullptr, nullptr);
  HANDLE link = nullptr;
  const LONG status = create(&link, kSymbolicLinkAllAccess, &attributes, &targetName);
  if (status < 0) {
    char text[96];
    std::snprintf(text, sizeof(text), "NtCreateSymbolicLinkObject failed, status 0x%08lX",
                  static_cast<unsigned long>(status));
    return error = text, false;
  }
  link_.Reset(link);
  if (!SetPresent(false)) return error = "cannot write Linked under HKLM\\" + std::string(path_), false;
  return true;
}

std::wstring DeviceEntry::PipeName() const { return L"\\\\.\\pipe\\" + Lower(Widen(reference_)); }

bool DeviceEntry::SetPresent(bool present) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, controlKey_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const DWORD linked = present ? 1 : 0;
  const LONG result =
      RegSetValueExW(key, L"Linked", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&linked), sizeof(linked));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

void DeviceEntry::RemoveAll() {
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, kEnumKey);
  HKEY classes = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDeviceClassesKey, 0, KEY_READ, &classes) != ERROR_SUCCESS) return;
  wchar_t className[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    if (RegEnumKeyExW(classes, i, className, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY cls = nullptr;
    if (RegOpenKeyExW(classes, className, 0, KEY_READ | KEY_WRITE, &cls) != ERROR_SUCCESS) continue;
    std::vector<std::wstring> ours;
    wchar_t name[512];
    for (DWORD j = 0;; ++j) {
      DWORD nameLength = 512;
      if (RegEnumKeyExW(cls, j, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      if (Lower(name).find(L"#zeltcam#") != std::wstring::npos) ours.emplace_back(name);
    }
    for (const std::wstring& key : ours) RegDeleteTreeW(cls, key.c_str());
    RegCloseKey(cls);
  }
  RegCloseKey(classes);
}

}  // namespace camera_emulator
