#include "tools/camera_emulator/camera_bus.h"

#include <winioctl.h>

#include <cstdio>

#include "platform/camera_model/interface_classes.h"
#include "tools/camera_emulator/bus/requests.h"

namespace camera_emulator {
static_assert(CameraBus::kRootDevices == ZELT_BUS_ROOT_DEVICES, "the driver's root devices");

namespace {

// SERVICE_CONTROL_REENUMERATE_ROOT_DEVICES of Wine's device service.
constexpr DWORD kReenumerateRootDevices = 128;

}  // namespace

std::string StepFailed(const std::string& what) {
  const DWORD code = GetLastError();
  char text[256] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, sizeof(text),
                 nullptr);
  std::string message = text;
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return what + ": error " + std::to_string(code) + (message.empty() ? "" : " (" + message + ")");
}

bool StartBusDriver(std::string& error) {
  ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
  if (manager.get() == nullptr) return error = StepFailed("opening the service manager"), false;
  ServiceHandle service(OpenServiceA(manager.get(), ZELT_BUS_SERVICE, SERVICE_ALL_ACCESS));
  if (service.get() == nullptr) return error = StepFailed("opening the service " ZELT_BUS_SERVICE), false;
  if (!StartServiceA(service.get(), 0, nullptr) && GetLastError() != ERROR_SERVICE_ALREADY_RUNNING)
    return error = StepFailed("starting the service " ZELT_BUS_SERVICE), false;
  SERVICE_STATUS status = {};
  if (!ControlService(service.get(), kReenumerateRootDevices, &status))
    return error = StepFailed("enumerating the root devices of " ZELT_BUS_SERVICE), false;
  return true;
}

bool CameraBus::Open(DWORD milliseconds, std::string& error) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  // The driver loads as the prefix starts, and Windows gives it its root
  // devices one after another: wait for the device, then for all of them.
  for (;;) {
    device_.Reset(CreateFileA(ZELT_BUS_PATH, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (device_) break;
    if (GetTickCount64() >= end) {
      error = StepFailed("opening the camera bus driver " ZELT_BUS_PATH) + " within " +
              std::to_string(milliseconds / 1000) + " s";
      return false;
    }
    Sleep(50);
  }
  for (;;) {
    DWORD roots = 0;
    if (!Reset(roots, error)) return false;
    if (roots >= ZELT_BUS_ROOT_DEVICES) return true;
    if (GetTickCount64() >= end) {
      error = "the camera bus driver has " + std::to_string(roots) + " of its " +
              std::to_string(ZELT_BUS_ROOT_DEVICES) + " root devices " ZELT_BUS_ENUMERATOR "\\NNNN after " +
              std::to_string(milliseconds / 1000) + " s";
      device_.Reset();
      return false;
    }
    Sleep(50);
  }
}

bool CameraBus::Reset(DWORD& roots, std::string& error) {
  Locked hold(lock_);
  DWORD returned = 0;
  if (!DeviceIoControl(device_.get(), ZELT_BUS_RESET, nullptr, 0, &roots, sizeof(roots), &returned, nullptr) ||
      returned != sizeof(roots))
    return error = StepFailed("resetting the camera bus"), false;
  return true;
}

bool CameraBus::SetInterface(int device, int classIndex, bool enable, std::string& error) {
  if (device < 0 || device >= kRootDevices) {
    error = "the camera bus has " + std::to_string(ZELT_BUS_ROOT_DEVICES) + " root devices: no camera number " +
            std::to_string(device);
    return false;
  }
  ZeltBusInterface request = {};
  request.interfaceClass = camera_model::AsGuid<GUID>(camera_model::kInterfaceClasses[classIndex]);
  request.device = static_cast<unsigned long>(device);
  request.enable = enable ? 1 : 0;
  Locked hold(lock_);
  DWORD returned = 0;
  if (!DeviceIoControl(device_.get(), ZELT_BUS_SET_INTERFACE, &request, sizeof(request), nullptr, 0, &returned,
                       nullptr)) {
    char what[96];
    std::snprintf(what, sizeof(what), "%s the interface of class %d on root device %d",
                  enable ? "enabling" : "disabling", classIndex + 1, device);
    return error = StepFailed(what), false;
  }
  return true;
}

}  // namespace camera_emulator
