// Device arrival and removal notifications for a window (user32).
#include "platform/api.h"

namespace win {

HDEVNOTIFY RegisterDeviceNotificationA(HANDLE recipient, void* filter, DWORD flags) {
  return ::RegisterDeviceNotificationA(recipient, filter, flags);
}

BOOL UnregisterDeviceNotification(HDEVNOTIFY handle) { return ::UnregisterDeviceNotification(handle); }

}  // namespace win
