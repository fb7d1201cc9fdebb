// Device arrival and removal notifications for a window (user32).
#include "core/live_objects.h"
#include "platform/api.h"

namespace win {

HDEVNOTIFY RegisterDeviceNotificationA(HANDLE recipient, void* filter, DWORD flags) {
  HDEVNOTIFY handle = ::RegisterDeviceNotificationA(recipient, filter, flags);
  if (handle != nullptr) core::Opened(core::LiveKind::Notification);
  return handle;
}

BOOL UnregisterDeviceNotification(HDEVNOTIFY handle) {
  const BOOL done = ::UnregisterDeviceNotification(handle);
  if (done) core::Closed(core::LiveKind::Notification);
  return done;
}

}  // namespace win
