#include "lib/view/controls.h"
#include "lib/view/internal.h"
#include "lib/view/window.h"

void CButton::Init(const CRect& rect, std::uint32_t command, std::size_t captionLen, const char* caption, int) {
  command_ = command;
  caption_ = view::detail::CutText(captionLen, caption);
  CView::Init(rect);  // also tells the backend
  InvalidateView();
}

void CButton::Enable() {
  enabled_ = true;
  SyncPeer();
}

void CButton::Disable() {
  enabled_ = false;
  SyncPeer();
  view::detail::FocusLeaves(this);
}

void CButton::Press() {
  if (!shown_ || !enabled_ || ended_) return;
  CWindow* window = view::TopWindowOf(this);
  if (window == nullptr) return;
  const TEvent event{view::kCommandClass, command_, false};
  window->MakeEvent(&event);
}
