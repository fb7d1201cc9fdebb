#include "lib/view/win32/live_counts.h"

#include <algorithm>
#include <vector>

namespace view::win32 {
namespace {

std::vector<HWND>& Tracked() {
  static std::vector<HWND> windows;
  return windows;
}

}  // namespace

void TrackWindow(HWND hwnd) {
  if (hwnd == nullptr) return;
  std::vector<HWND>& tracked = Tracked();
  // A destroyed window's handle may come back for a new one: drop the dead first.
  LiveWindows();
  if (std::find(tracked.begin(), tracked.end(), hwnd) == tracked.end()) tracked.push_back(hwnd);
  win::live::SetLive(win::live::LiveKind::Window, static_cast<long>(tracked.size()));
}

long LiveWindows() {
  std::vector<HWND>& tracked = Tracked();
  tracked.erase(std::remove_if(tracked.begin(), tracked.end(), [](HWND hwnd) { return IsWindow(hwnd) == FALSE; }),
                tracked.end());
  win::live::SetLive(win::live::LiveKind::Window, static_cast<long>(tracked.size()));
  return static_cast<long>(tracked.size());
}

UINT LiveObjectsMessage() {
  static const UINT message = RegisterWindowMessageW(win::live::kLiveObjectsMessageName);
  return message;
}

LRESULT AnswerLiveObjects(WPARAM kind) {
  if (kind >= static_cast<WPARAM>(win::live::LiveKind::Count)) return -1;
  if (kind == static_cast<WPARAM>(win::live::LiveKind::Window)) LiveWindows();
  return win::live::Live(static_cast<win::live::LiveKind>(kind));
}

}  // namespace view::win32
