// Setup API over the world's cameras: a device information set is a snapshot
// of the cameras of one class at the moment it was made.
#include <cstddef>
#include <cstring>

#include "platform/api.h"
#include "platform/sim/internals.h"

namespace {

constexpr std::size_t kPathOffset = offsetof(win::SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);

sim::HandleEntry* FindSet(win::HDEVINFO set) {
  return sim::World::Get().internals().Find(set, sim::HandleKind::DeviceSet);
}

// The member that SetupDiEnumDeviceInterfaces described in data, or null.
sim::Camera* MemberOf(const sim::HandleEntry& entry, const win::SP_DEVICE_INTERFACE_DATA& data) {
  if (data.Reserved == 0 || data.Reserved > entry.members.size()) return nullptr;
  return entry.members[data.Reserved - 1];
}

}  // namespace

namespace win {

HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, const char* enumerator, HWND parent, DWORD flags) {
  (void)parent;
  sim::World& world = sim::World::Get();
  if (classGuid == nullptr || enumerator != nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  int classIndex = sim::ClassIndexOf(*classGuid);
  if (classIndex >= 0 && world.classDevsFail[classIndex]) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return INVALID_HANDLE_VALUE;
  }
  sim::HandleEntry entry;
  entry.kind = sim::HandleKind::DeviceSet;
  entry.classIndex = classIndex;
  entry.guid = *classGuid;
  entry.label = "device information set " + sim::GuidText(*classGuid);
  // Without DIGCF_DEVICEINTERFACE the GUID names a setup class, of which the
  // driver has none; without DIGCF_PRESENT cameras without power are listed too.
  if (classIndex >= 0 && (flags & DIGCF_DEVICEINTERFACE) != 0) {
    for (const auto& camera : world.Cameras())
      if (camera->classIndex == classIndex && (camera->power || (flags & DIGCF_PRESENT) == 0))
        entry.members.push_back(camera.get());
  }
  return world.internals().Add(std::move(entry));
}

BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* devInfo, const GUID* classGuid, DWORD index,
                                 SP_DEVICE_INTERFACE_DATA* data) {
  sim::World& world = sim::World::Get();
  ++world.enumCalls;
  sim::HandleEntry* entry = FindSet(set);
  if (entry == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (devInfo != nullptr || classGuid == nullptr || data == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) {
    SetLastError(sim::kErrorInvalidUserBuffer);
    return 0;
  }
  if (entry->classIndex >= 0 && world.enumFailForever[entry->classIndex]) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (entry->classIndex >= 0) {
    std::vector<DWORD>& once = world.enumFailOnce[entry->classIndex];
    for (auto it = once.begin(); it != once.end(); ++it) {
      if (*it != index) continue;
      once.erase(it);
      SetLastError(sim::kErrorGenFailure);
      return 0;
    }
  }
  if (!sim::SameGuid(*classGuid, entry->guid) || index >= entry->members.size()) {
    SetLastError(ERROR_NO_MORE_ITEMS);
    return 0;
  }
  const sim::Camera* camera = entry->members[index];
  data->InterfaceClassGuid = entry->guid;
  data->Flags = camera->power ? sim::kSpintActive : 0;
  data->Reserved = static_cast<ULONG_PTR>(index) + 1;
  return 1;
}

BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD detailSize, DWORD* requiredSize,
                                      SP_DEVINFO_DATA* devInfo) {
  (void)devInfo;  // the program never asks for the device's information element
  sim::HandleEntry* entry = FindSet(set);
  if (entry == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (data == nullptr || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const sim::Camera* camera = MemberOf(*entry, *data);
  if (camera == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const DWORD required = static_cast<DWORD>(kPathOffset + camera->path.size() + 1);
  if (requiredSize != nullptr) *requiredSize = required;
  if (detail == nullptr) {
    SetLastError(detailSize == 0 ? ERROR_INSUFFICIENT_BUFFER : sim::kErrorInvalidUserBuffer);
    return 0;
  }
  if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) {
    SetLastError(sim::kErrorInvalidUserBuffer);
    return 0;
  }
  if (detailSize < required) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  char* path = reinterpret_cast<char*>(detail) + kPathOffset;
  std::memcpy(path, camera->path.c_str(), camera->path.size() + 1);
  return 1;
}

BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) {
  if (!sim::World::Get().internals().Remove(set, sim::HandleKind::DeviceSet)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return 1;
}

}  // namespace win
