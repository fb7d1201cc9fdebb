// The keyboard focus of a window, kept by the toolkit so that every backend
// hands it on alike. The native backend only mirrors it: Windows leaves the
// focus nowhere when the focused control is disabled, hidden or destroyed,
// and keys then reach no control at all.
#include <algorithm>

#include "lib/view/controls.h"
#include "lib/view/internal.h"
#include "lib/view/window.h"

namespace {

void Collect(const CNodeView* node, std::vector<CView*>& order) {
  for (CView* child : node->Children()) {
    order.push_back(child);
    if (auto* inner = dynamic_cast<const CNodeView*>(child)) Collect(inner, order);
  }
}

bool Within(const CView* view, const CView* ancestor) {
  for (const CView* v = view; v != nullptr; v = v->Parent())
    if (v == ancestor) return true;
  return false;
}

}  // namespace

namespace view::detail {

bool TakesFocus(const CView* view) {
  if (view == nullptr || view->IsEnded() || view->peer == nullptr) return false;
  const ControlKind kind = KindOf(view);
  if (kind == ControlKind::Pane) return false;
  if (kind == ControlKind::Button && !static_cast<const CButton*>(view)->IsEnabled()) return false;
  return ShownInWindow(view);
}

void FocusLeaves(CView* view) {
  if (CWindow* window = TopWindowOf(view)) window->FocusLeaves(view);
}

}  // namespace view::detail

std::vector<CView*> CWindow::FocusOrder() const {
  std::vector<CView*> order;
  Collect(this, order);
  return order;
}

void CWindow::SetFocusView(CView* view) {
  if (view != nullptr && (view == this || !view::detail::TakesFocus(view) || view::TopWindowOf(view) != this)) return;
  if (view == this) view = nullptr;
  if (focus_ == view) return;
  focus_ = view;
  SyncFocus();
}

void CWindow::MoveFocus(bool backward) {
  const std::vector<CView*> order = FocusOrder();
  const auto n = static_cast<std::ptrdiff_t>(order.size());
  if (n == 0) return;
  // From the window itself, Tab goes to the first view and Shift+Tab to the last.
  std::ptrdiff_t at = std::find(order.begin(), order.end(), focus_) - order.begin();
  if (at == n) at = backward ? 0 : n - 1;
  for (std::ptrdiff_t step = 1; step <= n; ++step) {
    CView* candidate = order[static_cast<std::size_t>(((at + (backward ? -step : step)) % n + n) % n)];
    if (view::detail::TakesFocus(candidate)) return SetFocusView(candidate);
  }
}

void CWindow::FocusLeaves(CView* leaving) {
  if (focus_ == nullptr || !Within(focus_, leaving)) return;
  const std::vector<CView*> order = FocusOrder();
  const std::size_t n = order.size();
  const std::size_t at = static_cast<std::size_t>(std::find(order.begin(), order.end(), focus_) - order.begin());
  CView* next = nullptr;
  for (std::size_t step = 1; at < n && step < n; ++step) {
    CView* candidate = order[(at + step) % n];
    if (!Within(candidate, leaving) && view::detail::TakesFocus(candidate)) {
      next = candidate;
      break;
    }
  }
  focus_ = next;
  SyncFocus();
}

void CWindow::PeerActivated(bool active) {
  active_ = active;
  if (!active) return;
  if (!view::detail::TakesFocus(focus_)) {
    focus_ = nullptr;
    for (CView* view : FocusOrder())
      if (view::detail::TakesFocus(view)) {
        focus_ = view;
        break;
      }
  }
  SyncFocus();
}

void CWindow::PeerFocused(CView* view) {
  if (view == nullptr || view::detail::TakesFocus(view)) focus_ = view;
}

void CWindow::SyncFocus() {
  if (handle_ != nullptr) view::TheBackend().SyncFocus(this);
}
