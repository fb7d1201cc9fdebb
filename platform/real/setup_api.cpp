// Device-interface enumeration through the Setup API (setupapi.dll).
#include "platform/api.h"
#include "platform/real/live_objects.h"

namespace win {

HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, const char* enumerator, HWND parent, DWORD flags) {
  HDEVINFO set = ::SetupDiGetClassDevsA(classGuid, enumerator, parent, flags);
  if (set != INVALID_HANDLE_VALUE) win::live::Opened(win::live::LiveKind::DeviceList);
  return set;
}

BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* devInfo, const GUID* classGuid, DWORD index,
                                 SP_DEVICE_INTERFACE_DATA* data) {
  return ::SetupDiEnumDeviceInterfaces(set, devInfo, classGuid, index, data);
}

BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD detailSize, DWORD* requiredSize,
                                      SP_DEVINFO_DATA* devInfo) {
  return ::SetupDiGetDeviceInterfaceDetailA(set, data, detail, detailSize, requiredSize, devInfo);
}

BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) {
  const BOOL destroyed = ::SetupDiDestroyDeviceInfoList(set);
  if (destroyed) win::live::Closed(win::live::LiveKind::DeviceList);
  return destroyed;
}

}  // namespace win
