// The view classes: CLASS <- CEventHandler <- CView <- CNodeView <- CWindow.
// Overrides that create something call the base first; those that tear down
// call it last. Views are made with new, placed with Init, registered with
// their parent and shown; Done removes a view for good (the toolkit frees it
// later), after which it is not used again.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "lib/support/rect.h"
#include "lib/view/event.h"
#include "lib/view/graphics.h"
#include "platform/types.h"

class CNodeView;

class CLASS {
 public:
  CLASS() = default;
  CLASS(const CLASS&) = delete;
  CLASS& operator=(const CLASS&) = delete;

 protected:
  ~CLASS() = default;
};

class CEventHandler : public CLASS {
 public:
  // The first five virtual operations of every view class, in this order.
  // ReceiveMsg: raw window messages; true when handled (result then set by the handler).
  virtual bool ReceiveMsg(win::UINT message, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT* result);
  virtual void CreatePeerWindow();
  virtual void DeletePeerWindow();
  virtual void Done();
  virtual void ReceiveEvent(TEvent* event);
  virtual ~CEventHandler();

  void StopEvent(TEvent* event) {
    if (event != nullptr) event->stopped = true;
  }
};

class CView : public CEventHandler {
 public:
  CView();
  ~CView() override;

  void Init(const CRect& rect);
  void Show();
  void Hide();
  void Done() override;  // removes the view from its parent for good
  void InvalidateView();
  TGContext* GetPGContext(int number);
  virtual void PaintView(CDeviceContext* dc);

  // State the toolkit and its backends read.
  const CRect& Rect() const { return rect_; }
  CNodeView* Parent() const { return parent_; }
  bool IsShown() const { return shown_; }
  bool IsEnded() const { return ended_; }
  // View option flags: the program sets the top bit before Init, as its start-up
  // sequence has always done; no view of ours reads them yet.
  std::uint32_t options = 0;
  TGContext* gContext = nullptr;  // the view's graphics context
  void* peer = nullptr;           // the backend's native counterpart
  bool needsPaint = false;

 protected:
  friend class CNodeView;
  // Tells the backend that what the view shows changed.
  virtual void SyncPeer();
  // The common end of Done: leaves the parent, drops the peer, marks the view
  // ended and, when release is true, has the toolkit free it once idle.
  void EndView(bool release);
  CRect rect_;
  CNodeView* parent_ = nullptr;
  bool shown_ = false;
  bool ended_ = false;
};

class CNodeView : public CView {
 public:
  ~CNodeView() override;
  // Adds a child at the end of the child list (painted last, on top).
  void Register(CView* child);
  // Adds a child at the front: it takes input first where it overlaps others.
  void RegisterFirst(CView* child);
  void DeletePeerWindow() override;  // ends the children's native parts
  void Done() override;              // ends the children, then the view
  const std::vector<CView*>& Children() const { return children_; }
  void Unregister(CView* child);  // also drops the child's native parts

 protected:
  void EndChildren();  // Done on each child, in list order
  std::vector<CView*> children_;
};
