// What the window manager of Windows decides for the headless windows: the
// start-up show command applied to the first window shown, and which window
// is active. A window is active while it is shown, not minimized, has no
// message box open over it and was not shown without activation; keys reach
// only the active window.
#include "lib/view/headless/backend.h"

namespace view::headless {
namespace {

// Show commands that minimize, and those that show without activating.
bool Minimizing(int show) { return show == 2 || show == 6 || show == 7 || show == 11; }
bool NotActivating(int show) { return show == 4 || show == 7 || show == 8; }

}  // namespace

void SetStartupShowCommand(int show) {
  Headless().startupShow = show;
  Headless().startupPending = true;
}

void HeadlessBackend::SyncWindow(CWindow* window) {
  if (window->IsShown() && shownOnce.insert(window).second && startupPending) {
    // The first ShowWindow of the process takes the start-up show command
    // in place of the normal show the toolkit asks for.
    startupPending = false;
    if (Minimizing(startupShow) && !window->IsMinimized())
      window->PeerStateChanged(true, false);
    else if (startupShow == 3 && !window->IsMaximized() && !window->IsMinimized())
      window->PeerStateChanged(false, true);
    if (NotActivating(startupShow)) inactiveUntilUsed.insert(window);
  }
  // Restoring a minimized window activates it.
  const bool wasMinimized = minimizedBefore.count(window) != 0;
  if (window->IsMinimized()) {
    minimizedBefore.insert(window);
    if (menu.window == window) menu = SystemMenu();
  } else {
    minimizedBefore.erase(window);
    if (wasMinimized) inactiveUntilUsed.erase(window);
  }
  UpdateActivation(window);
}

void HeadlessBackend::UpdateActivation(CWindow* window) {
  const bool active = window->IsOpen() && window->IsShown() && !window->IsMinimized() &&
                      !(boxOpen && boxOwner == window) && inactiveUntilUsed.count(window) == 0;
  if (active != window->IsActive()) window->PeerActivated(active);
}

void Activate(CWindow* window) {
  if (window == nullptr) return;
  Headless().inactiveUntilUsed.erase(window);
  Headless().UpdateActivation(window);
}

}  // namespace view::headless
