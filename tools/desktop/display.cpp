#include "tools/desktop/display.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace desktop {
namespace {
constexpr int kTries = 20;
constexpr auto kPause = std::chrono::milliseconds(100);
}  // namespace

bool OpenDisplay() {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || name[0] == '\0') return false;
  for (int attempt = 0; attempt < kTries; ++attempt) {
    if (Display* display = XOpenDisplay(nullptr)) {
      fl_open_display(display);  // FLTK owns it from now on
      return true;
    }
    std::this_thread::sleep_for(kPause);
  }
  return false;
}

std::vector<ScreenArea> DisplayMonitors() {
  std::vector<ScreenArea> monitors;
  for (int i = 0; i < Fl::screen_count(); ++i) {
    ScreenArea area{};
    Fl::screen_xywh(area.x, area.y, area.width, area.height, i);
    monitors.push_back(area);
  }
  return monitors;
}

}  // namespace desktop
