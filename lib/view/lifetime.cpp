// Which view objects are alive, and freeing them once nothing uses them.
#include <algorithm>
#include <vector>

#include "lib/view/internal.h"
#include "lib/view/loop.h"

namespace view::detail {
namespace {

std::vector<CView*>& Live() {
  static std::vector<CView*> live;
  return live;
}

std::vector<CView*>& Released() {
  static std::vector<CView*> released;
  return released;
}

void Erase(std::vector<CView*>& list, const CView* view) {
  list.erase(std::remove(list.begin(), list.end(), view), list.end());
}

}  // namespace

void TrackView(CView* view) { Live().push_back(view); }

void UntrackView(CView* view) {
  Erase(Live(), view);
  Erase(Released(), view);
}

void ReleaseLater(CView* view) {
  if (std::find(Released().begin(), Released().end(), view) == Released().end()) Released().push_back(view);
}

std::vector<CWindow*> LiveWindows() {
  std::vector<CWindow*> windows;
  for (CView* view : Live())
    if (auto* window = dynamic_cast<CWindow*>(view)) windows.push_back(window);
  return windows;
}

bool HasReleased() { return !Released().empty(); }

void FreeReleased() {
  // Each delete takes the view off the list (UntrackView).
  while (!Released().empty()) delete Released().front();
}

void FreeAllViews() {
  Released().clear();
  // Native parts first, while every object still has its full type.
  const std::vector<CView*> live = Live();
  for (CView* view : live) {
    if (auto* window = dynamic_cast<CWindow*>(view); window != nullptr && window->IsOpen()) {
      TheBackend().DestroyWindowPeer(window);
      window->SetPeerHandle(nullptr);
    }
    if (view->peer != nullptr) DestroyPeers(view);
  }
  // Newest first; a destructor that makes new views only adds to the end.
  while (!Live().empty()) delete Live().back();
}

}  // namespace view::detail

bool view::IsLive(const void* view) {
  const auto& live = detail::Live();
  return std::find(live.begin(), live.end(), static_cast<const CView*>(view)) != live.end();
}
