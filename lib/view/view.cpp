#include "lib/view/view.h"

#include "lib/view/internal.h"

CView::CView() { view::detail::TrackView(this); }

CView::~CView() {
  if (peer != nullptr) view::detail::DestroyPeers(this);
  if (parent_ != nullptr) parent_->Unregister(this);
  view::detail::UntrackView(this);
}

void CView::Init(const CRect& rect) {
  rect_ = rect;
  if (rect_.height == 0) {
    const view::ControlKind kind = view::detail::KindOf(this);
    if (kind != view::ControlKind::Pane) rect_.height = view::TheBackend().StandardHeight(kind);
  }
  SyncPeer();
}

void CView::Show() {
  shown_ = true;
  SyncPeer();
  InvalidateView();
}

void CView::Hide() {
  shown_ = false;
  SyncPeer();
  view::detail::FocusLeaves(this);
}

void CView::Done() { EndView(true); }

void CView::EndView(bool release) {
  if (ended_) return;
  ended_ = true;
  if (parent_ != nullptr) parent_->Unregister(this);
  if (peer != nullptr) view::detail::DestroyPeers(this);
  shown_ = false;
  needsPaint = false;
  // Never freed here: Done is often called from inside the view's own
  // handling, which still runs on this object when Done returns.
  if (release) view::detail::ReleaseLater(this);
}

void CView::InvalidateView() {
  if (ended_) return;
  needsPaint = true;
  // A window's native part is its handle; other views have a peer.
  const CWindow* top = view::TopWindowOf(this);
  if (peer != nullptr || (top == this && top->IsOpen())) view::TheBackend().Invalidate(this);
}

TGContext* CView::GetPGContext(int number) { return view::GraphicsContext(number); }

void CView::PaintView(CDeviceContext* dc) {
  if (dc != nullptr) dc->ClearRect(0, 0, rect_.width, rect_.height);
}

void CView::SyncPeer() {
  if (peer != nullptr) view::TheBackend().SyncView(this);
}
