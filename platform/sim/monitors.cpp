// Monitors: MonitorFromRect answered from the world's monitors.
#include <algorithm>
#include <cstdint>

#include "platform/api.h"
#include "platform/sim/world.h"

namespace win {

// A handle per monitor: its place in the world's list, counted from 1.
HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) {
  const auto& monitors = sim::World::Get().monitors;
  if (rect == nullptr) return nullptr;
  std::int64_t best = 0;
  std::size_t found = 0;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const auto& m = monitors[i];
    const std::int64_t left = std::max<std::int64_t>(rect->left, m.x);
    const std::int64_t right = std::min<std::int64_t>(rect->right, std::int64_t{m.x} + m.width);
    const std::int64_t top = std::max<std::int64_t>(rect->top, m.y);
    const std::int64_t bottom = std::min<std::int64_t>(rect->bottom, std::int64_t{m.y} + m.height);
    const std::int64_t area = right > left && bottom > top ? (right - left) * (bottom - top) : 0;
    if (area > best) {
      best = area;
      found = i + 1;
    }
  }
  if (found == 0 && flags == MONITOR_DEFAULTTOPRIMARY && !monitors.empty()) found = 1;
  return reinterpret_cast<HMONITOR>(static_cast<std::uintptr_t>(found));
}

}  // namespace win
