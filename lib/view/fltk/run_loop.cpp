// The event loop: FLTK waits for input, then the toolkit's queue is handled.
// Device messages from the simulated platform are queued on this thread and
// handled here too.
#include <FL/Fl.H>

#include "lib/view/fltk/backend.h"
#include "lib/view/fltk/fltk.h"
#include "lib/view/fltk/frame.h"
#include "lib/view/fltk/toolkit_window.h"
#include "lib/view/loop.h"

namespace view::fltk {
namespace {

// The windows the loop waits for: the background's when there is one.
bool AnyWindowOpen() {
  if (PBackground != nullptr) {
    for (const CWindow* window : PBackground->Windows())
      if (window->IsOpen()) return true;
    return false;
  }
  return !Fltk().windows.empty();
}

}  // namespace

void FltkBackend::RunLoop() {
  for (;;) {
    PumpPending();
    if (!AnyWindowOpen()) return;
    Fl::wait();
    TakeFocus();
  }
}

std::vector<Fl_Window*> ToolkitWindows() {
  std::vector<Fl_Window*> open;
  for (const auto& entry : Fltk().windows)
    if (entry.second->shown()) open.push_back(entry.second);
  return open;
}

ScreenRect OuterRect(const Fl_Window* window) {
  ScreenRect rect;
  if (window == nullptr) return rect;
  const FrameExtents frame = FrameOf(window);
  rect.x = window->x() - frame.left;
  rect.y = window->y() - frame.top;
  rect.width = window->w() + frame.left + frame.right;
  rect.height = window->h() + frame.top + frame.bottom;
  return rect;
}

}  // namespace view::fltk
