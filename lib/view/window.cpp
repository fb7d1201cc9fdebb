#include "lib/view/window.h"

#include <algorithm>

#include "lib/view/internal.h"

CWindow::CWindow() = default;

CWindow::~CWindow() {
  DestroyNativeWindow();
  view::detail::DropQueuedFor(this);
  if (background_ != nullptr) {
    auto& windows = background_->windows_;
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
  }
}

void CWindow::Init(const CRect& rect, std::uint32_t /*style*/, std::size_t titleLen, const char* title) {
  rect_ = rect;
  restoreRect_ = rect;
  title_ = view::detail::CutText(titleLen, title);
  SyncPeer();
}

void CWindow::SetWinIcon(win::HANDLE icon16, win::HANDLE icon32) {
  icon16_ = icon16;
  icon32_ = icon32;
  SyncPeer();
}

void CWindow::SetTitle(std::size_t len, const char* title) {
  title_ = view::detail::CutText(len, title);
  SyncPeer();
}

// The window has a fixed size, so minimizing and maximizing keep its
// rectangle; the restore rectangle is where it was before.
void CWindow::Minimize() {
  if (minimized_) return;
  if (!maximized_) restoreRect_ = rect_;
  minimized_ = true;
  ParkRect();
  SyncPeer();
}

void CWindow::Maximize() {
  if (maximized_ && !minimized_) return;
  if (!minimized_) restoreRect_ = rect_;
  minimized_ = false;
  maximized_ = true;
  ParkRect();
  SyncPeer();
}

void CWindow::ParkRect() {
  // Where Windows reports such a window: a minimized one off screen, a
  // maximized one at the work area's corner. The normal place is the restore rectangle.
  if (minimized_) {
    rect_.x = kMinimizedPosition;
    rect_.y = kMinimizedPosition;
  } else if (maximized_) {
    rect_.x = 0;
    rect_.y = 0;
  } else {
    rect_ = restoreRect_;
  }
}

void CWindow::Restore() {
  if (!minimized_ && !maximized_) return;
  minimized_ = false;
  maximized_ = false;
  rect_ = restoreRect_;
  SyncPeer();
}

void CWindow::MoveTo(int x, int y) {
  // While minimized or maximized the move is where the window comes back to.
  restoreRect_.x = x;
  restoreRect_.y = y;
  if (!minimized_ && !maximized_) {
    rect_.x = x;
    rect_.y = y;
  }
  SyncPeer();
}

void CWindow::MakeEvent(const TEvent* event) {
  if (event != nullptr) view::detail::QueueEvent(this, *event);
}

void CWindow::CreatePeerWindow() {
  if (handle_ != nullptr || ended_) return;
  handle_ = view::TheBackend().CreateWindowPeer(this);
  if (handle_ == nullptr) return;
  for (CView* child : children_) view::detail::CreatePeers(child);
}

void CWindow::DeletePeerWindow() {
  CNodeView::DeletePeerWindow();
  DestroyNativeWindow();
}

void CWindow::DestroyNativeWindow() {
  if (handle_ == nullptr) return;
  view::TheBackend().DestroyWindowPeer(this);
  handle_ = nullptr;
}

void CWindow::Done() {
  if (closed_ || ended_) return;
  closed_ = true;
  DeletePeerWindow();  // virtual: the program's override runs and calls a base last
  // Overrides may end with CNodeView's base, which leaves the window's own native part.
  DestroyNativeWindow();
  EndChildren();
  // A window registered with the background is freed by the background's Done.
  EndView(background_ == nullptr);
}

void CWindow::ReceiveEvent(TEvent* event) {
  if (event == nullptr || event->stopped || closed_) return;
  if ((event->eventClass & view::kCommandClass) != 0 && event->command == CmdClose) Done();
}

// The base window handles no raw message: what reaches it is left unhandled.
bool CWindow::ReceiveMsg(win::UINT, win::WPARAM, win::LPARAM, win::LRESULT*) { return false; }

void CWindow::UserClose() {
  const TEvent close{view::kCommandClass, CmdClose, false};
  MakeEvent(&close);
}

void CWindow::UserCommand(std::uint32_t eventClass, std::uint32_t command) {
  const TEvent event{eventClass, command, false};
  MakeEvent(&event);
}

void CWindow::PeerMoved(int x, int y) {
  if (minimized_ || maximized_) return;  // the system's placeholder position, not the window's
  rect_.x = x;
  rect_.y = y;
  restoreRect_.x = x;
  restoreRect_.y = y;
}

void CWindow::PeerStateChanged(bool minimized, bool maximized) {
  if (!minimized_ && !maximized_ && (minimized || maximized)) restoreRect_ = rect_;
  if (minimized == minimized_ && maximized == maximized_) return;
  minimized_ = minimized;
  maximized_ = maximized;
  ParkRect();
}

void CWindow::SyncPeer() {
  if (handle_ != nullptr) view::TheBackend().SyncWindow(this);
}
