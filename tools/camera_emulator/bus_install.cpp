// zelt-bus-install: installs the camera bus driver (driver.c) in this Wine
// prefix and starts it, for the test worlds only: its root devices, its
// service, and the enumeration that loads it for them. The driver's file must
// already lie in system32\drivers: once its root devices exist the driver
// loads whenever the prefix starts, so the test scripts put the file there
// from outside while Wine is down. Done again on an installed prefix it
// changes nothing. Each step that fails says which step and Windows' error;
// the exit status is then 1.
#include <windows.h>
// windows.h must come first
#include <setupapi.h>
#include <winioctl.h>

#include <cstdio>
#include <string>

#include "tools/camera_emulator/bus/requests.h"
#include "tools/camera_emulator/camera_bus.h"
#include "tools/camera_emulator/win_handles.h"

namespace {

// The setup class the root devices are filed under; nothing else reads it.
constexpr GUID kBusSetupClass = {0x3f6e2b94, 0x51c8, 0x4d07, {0x9a, 0x2e, 0x6b, 0x14, 0xd0, 0x73, 0x8c, 0x5f}};
constexpr DWORD kStartTimeout = 60000;  // the emulated x86 Wine takes seconds

bool DriverFile(std::string& path, std::string& error) {
  char system[MAX_PATH] = {};
  if (GetSystemDirectoryA(system, MAX_PATH) == 0) return error = camera_emulator::StepFailed("finding system32"), false;
  path = std::string(system) + "\\drivers\\" ZELT_BUS_FILE;
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
    return error = camera_emulator::StepFailed("finding the driver's file " + path), false;
  return true;
}

// ROOT\ZELTBUS\NNNN served by the driver's service, unless it exists already.
bool RootDevice(int number, std::string& error) {
  char instance[32];
  std::snprintf(instance, sizeof(instance), ZELT_BUS_ENUMERATOR "\\%04d", number);
  const std::string step = std::string("making the root device ") + instance;
  camera_emulator::DeviceList set(kBusSetupClass);
  if (set.get() == INVALID_HANDLE_VALUE) return error = camera_emulator::StepFailed(step + ", its list"), false;
  SP_DEVINFO_DATA device = {};
  device.cbSize = sizeof(device);
  if (SetupDiOpenDeviceInfoA(set.get(), instance, nullptr, 0, &device)) return true;
  if (!SetupDiCreateDeviceInfoA(set.get(), instance, &kBusSetupClass, nullptr, nullptr, 0, &device))
    return error = camera_emulator::StepFailed(step), false;
  static const char kService[] = ZELT_BUS_SERVICE;
  if (!SetupDiSetDeviceRegistryPropertyA(set.get(), &device, SPDRP_SERVICE, reinterpret_cast<const BYTE*>(kService),
                                         sizeof(kService)))
    return error = camera_emulator::StepFailed(step + ", its service"), false;
  if (!SetupDiRegisterDeviceInfo(set.get(), &device, 0, nullptr, nullptr, nullptr))
    return error = camera_emulator::StepFailed(step + ", its registration"), false;
  return true;
}

bool Service(const std::string& file, std::string& error) {
  camera_emulator::ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
  if (manager.get() == nullptr) return error = camera_emulator::StepFailed("opening the service manager"), false;
  camera_emulator::ServiceHandle existing(OpenServiceA(manager.get(), ZELT_BUS_SERVICE, SERVICE_QUERY_STATUS));
  if (existing.get() != nullptr) return true;
  camera_emulator::ServiceHandle made(CreateServiceA(
      manager.get(), ZELT_BUS_SERVICE, "Zelt camera bus (tests)", SERVICE_ALL_ACCESS, SERVICE_KERNEL_DRIVER,
      SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL, file.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
  if (made.get() == nullptr)
    return error = camera_emulator::StepFailed("creating the service " ZELT_BUS_SERVICE), false;
  return true;
}

}  // namespace

int main() {
  std::string file;
  std::string error;
  bool done = DriverFile(file, error);
  for (int i = 0; done && i < ZELT_BUS_ROOT_DEVICES; ++i) done = RootDevice(i, error);
  done = done && Service(file, error) && camera_emulator::StartBusDriver(error);
  camera_emulator::CameraBus bus;
  done = done && bus.Open(kStartTimeout, error);
  if (!done) {
    std::fprintf(stderr, "zelt-bus-install: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
