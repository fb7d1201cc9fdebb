#include "config/permission.h"

#include "config/blocks.h"
#include "core/memory.h"
#include "lib/support/reg_scanner.h"
#include "platform/api.h"
#include "platform/scoped.h"

namespace config {

namespace {

struct ServiceKey {
  std::uint16_t modelCode;
  const char* key;
};

const ServiceKey DriverServiceKeys[] = {
    {1027, "SYSTEM\\CurrentControlSet\\Services\\ravikccdI\\Parameters"},
    {1028, "SYSTEM\\CurrentControlSet\\Services\\ravikccdF\\Parameters"},
    {1029, "SYSTEM\\CurrentControlSet\\Services\\zeltccdI\\Parameters"},
    {1030, "SYSTEM\\CurrentControlSet\\Services\\zeltccdF\\Parameters"},
    {1200, "SYSTEM\\CurrentControlSet\\Services\\zeltccdB\\Parameters"},
    {1201, "SYSTEM\\CurrentControlSet\\Services\\zeltccdBI\\Parameters"},
};

constexpr char kPermissionValue[] = "AllowEEPROMWrite";
constexpr win::DWORD kServiceManagerAccess = 0xE0000000u;  // GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE

}  // namespace

bool IsAdministrator() {
  win::OSVERSIONINFOA info;
  core::Fill(&info, sizeof(info), 0);
  info.dwOSVersionInfoSize = sizeof(win::OSVERSIONINFOA);
  if (win::GetVersionExA(&info) != 1) return false;
  if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) return true;
  if (info.dwPlatformId != VER_PLATFORM_WIN32_NT) return false;

  const win::ScopedLibrary advapi(win::LoadLibraryA("advapi32.dll"));  // freed on every path
  if (!advapi.valid()) return false;
  auto openManager = reinterpret_cast<win::OpenSCManagerAFn>(
      reinterpret_cast<void (*)()>(win::GetProcAddress(advapi.get(), "OpenSCManagerA")));
  auto closeHandle = reinterpret_cast<win::CloseServiceHandleFn>(
      reinterpret_cast<void (*)()>(win::GetProcAddress(advapi.get(), "CloseServiceHandle")));
  if (openManager == nullptr || closeHandle == nullptr) return false;
  win::SC_HANDLE manager = openManager(nullptr, nullptr, kServiceManagerAccess);
  if (manager == nullptr) return false;
  closeHandle(manager);
  return true;
}

const char* DriverServiceKey(std::uint16_t modelCode) {
  for (const ServiceKey& entry : DriverServiceKeys)
    if (entry.modelCode == modelCode) return entry.key;
  return nullptr;
}

bool SetDriverWritePermission(const std::uint8_t* identity) {
  const char* key = DriverServiceKey(ModelCode(identity));
  if (key == nullptr) return false;
  CRegScannerA scanner;
  if (!scanner.vfInit(nullptr, key, HKEY_LOCAL_MACHINE)) return false;
  bool written = scanner.SetKeyCard(kPermissionValue, 1);
  scanner.vfDone();
  return written;
}

void RemoveDriverWritePermission(const std::uint8_t* identity) {
  const char* key = DriverServiceKey(ModelCode(identity));
  if (key == nullptr) return;
  CRegScannerA scanner;
  if (!scanner.vfInit(nullptr, key, HKEY_LOCAL_MACHINE)) return;
  scanner.DeleteKey(kPermissionValue);
  scanner.vfDone();
}

}  // namespace config
