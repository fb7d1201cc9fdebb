#include <vector>

#include "lib/view/headless/backend.h"
#include "lib/view/loop.h"

namespace view::headless {
namespace {

// A window whose program refuses the close box this many times stays open and
// the loop returns anyway: a driver must not hang on it.
constexpr int kCloseAttempts = 3;

// The windows the loop waits for: the background's when there is one.
std::vector<CWindow*> OpenWindows() {
  std::vector<CWindow*> open;
  const std::vector<CWindow*>& candidates = PBackground != nullptr ? PBackground->Windows() : Headless().windows;
  for (CWindow* window : candidates)
    if (window->IsOpen()) open.push_back(window);
  return open;
}

void Settle() {
  PumpPending();
  PaintPending();
}

}  // namespace

void HeadlessBackend::RunLoop() {
  for (;;) {
    Settle();
    if (OpenWindows().empty()) return;
    if (!idle || !idle()) break;
  }
  for (int attempt = 0; attempt < kCloseAttempts; ++attempt) {
    for (CWindow* window : OpenWindows()) window->UserClose();
    Settle();
    if (OpenWindows().empty()) return;
  }
}

}  // namespace view::headless
