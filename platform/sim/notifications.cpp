// Device notifications: registrations for a device-interface class and the
// records that removal and arrival messages carry.
#include <cstddef>
#include <cstring>

#include "platform/api.h"
#include "platform/sim/internals.h"

namespace sim {

namespace {
// A filter longer than this is not a device-interface record.
constexpr win::DWORD kMaxFilterSize = 4096;
constexpr std::size_t kNameOffset = offsetof(win::DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name);

void PutDword(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}
}  // namespace

std::vector<std::uint8_t> InterfaceRecord(const Camera& camera) {
  std::vector<std::uint8_t> record(kNameOffset + camera.path.size() + 1, 0);
  PutDword(record, offsetof(win::DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_size),
           static_cast<std::uint32_t>(record.size()));
  PutDword(record, offsetof(win::DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_devicetype), DBT_DEVTYP_DEVICEINTERFACE);
  const win::GUID& guid = kInterfaceClasses[camera.classIndex];
  std::memcpy(record.data() + offsetof(win::DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_classguid), &guid, sizeof(guid));
  std::memcpy(record.data() + kNameOffset, camera.path.data(), camera.path.size());
  return record;
}

}  // namespace sim

namespace win {

HDEVNOTIFY RegisterDeviceNotificationA(HANDLE recipient, void* filter, DWORD flags) {
  sim::World& world = sim::World::Get();
  if ((flags & ~sim::kDeviceNotifyAllInterfaceClasses) != DEVICE_NOTIFY_WINDOW_HANDLE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (recipient == nullptr) {
    SetLastError(sim::kErrorInvalidWindowHandle);
    return nullptr;
  }
  if (filter == nullptr) {
    SetLastError(sim::kErrorInvalidData);
    return nullptr;
  }
  // The header first; the rest of the record is read as far as its size field says.
  DEV_BROADCAST_HDR header;
  std::memcpy(&header, filter, sizeof(header));
  if (header.dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE ||
      header.dbch_size < sizeof(DEV_BROADCAST_DEVICEINTERFACE_A) || header.dbch_size > sim::kMaxFilterSize) {
    SetLastError(sim::kErrorInvalidData);
    return nullptr;
  }
  const auto* bytes = static_cast<const std::uint8_t*>(filter);
  world.lastNotificationRecord.assign(bytes, bytes + header.dbch_size);

  sim::Registration reg;
  reg.window = reinterpret_cast<HWND>(recipient);
  std::memcpy(&reg.guid, bytes + offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_classguid), sizeof(reg.guid));
  reg.allClasses = (flags & sim::kDeviceNotifyAllInterfaceClasses) != 0;
  auto& internals = world.internals();
  std::uintptr_t value = internals.nextRegistration;
  internals.nextRegistration += 4;
  internals.registrations[value] = reg;
  return reinterpret_cast<HDEVNOTIFY>(value);
}

BOOL UnregisterDeviceNotification(HDEVNOTIFY handle) {
  auto& registrations = sim::World::Get().internals().registrations;
  auto it = registrations.find(reinterpret_cast<std::uintptr_t>(handle));
  if (it == registrations.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  registrations.erase(it);
  return 1;
}

}  // namespace win
