// Monitors (user32).
#include "platform/api.h"

namespace win {

HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) { return ::MonitorFromRect(rect, flags); }

}  // namespace win
