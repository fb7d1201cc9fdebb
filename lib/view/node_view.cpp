#include <algorithm>

#include "lib/view/internal.h"
#include "lib/view/view.h"
#include "lib/view/window.h"

CNodeView::~CNodeView() {
  // The children outlive their parent only when the toolkit frees everything at once.
  for (CView* child : children_) child->parent_ = nullptr;
}

void CNodeView::Register(CView* child) {
  if (child == nullptr || child == this || child->ended_ || ended_) return;
  if (child->parent_ != nullptr) child->parent_->Unregister(child);
  children_.push_back(child);
  child->parent_ = this;
  const CWindow* top = view::TopWindowOf(this);
  if (top != nullptr && top->IsOpen()) view::detail::CreatePeers(child);
}

void CNodeView::RegisterFirst(CView* child) {
  if (child == nullptr || child == this || child->ended_ || ended_) return;
  if (child->parent_ != nullptr) child->parent_->Unregister(child);
  children_.insert(children_.begin(), child);
  child->parent_ = this;
  const CWindow* top = view::TopWindowOf(this);
  if (top != nullptr && top->IsOpen()) view::detail::CreatePeers(child);
}

void CNodeView::Unregister(CView* child) {
  auto it = std::find(children_.begin(), children_.end(), child);
  if (it == children_.end()) return;
  view::detail::FocusLeaves(child);  // while the child still has its place in the order
  it = std::find(children_.begin(), children_.end(), child);
  if (it == children_.end()) return;
  children_.erase(it);
  child->parent_ = nullptr;
  view::detail::DestroyPeers(child);
}

void CNodeView::DeletePeerWindow() {
  const std::vector<CView*> children = children_;  // overrides may change the list
  for (CView* child : children) {
    if (std::find(children_.begin(), children_.end(), child) == children_.end()) continue;
    child->DeletePeerWindow();
    view::detail::DestroyPeers(child);
  }
}

void CNodeView::EndChildren() {
  // A copy: each child's Done takes it out of children_.
  const std::vector<CView*> children = children_;
  for (CView* child : children)
    if (std::find(children_.begin(), children_.end(), child) != children_.end()) child->Done();
}

void CNodeView::Done() {
  if (ended_) return;
  EndChildren();
  EndView(true);
}
