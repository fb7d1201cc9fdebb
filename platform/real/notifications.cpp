// Device arrival and removal notifications for a window (user32).
#include "platform/api.h"
#include "platform/real/live_objects.h"

namespace win {

HDEVNOTIFY RegisterDeviceNotificationA(HANDLE recipient, void* filter, DWORD flags) {
  HDEVNOTIFY handle = ::RegisterDeviceNotificationA(recipient, filter, flags);
  if (handle != nullptr) win::live::Opened(win::live::LiveKind::Notification);
  return handle;
}

BOOL UnregisterDeviceNotification(HDEVNOTIFY handle) {
  const BOOL done = ::UnregisterDeviceNotification(handle);
  if (done) win::live::Closed(win::live::LiveKind::Notification);
  return done;
}

}  // namespace win
