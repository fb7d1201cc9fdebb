// The headless backend's state, shared by its sources.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lib/view/backend.h"
#include "lib/view/headless/headless.h"

namespace view::headless {

class HeadlessBackend : public Backend {
 public:
  win::HWND CreateWindowPeer(CWindow* window) override;
  void DestroyWindowPeer(CWindow* window) override;
  void SyncWindow(CWindow*) override {}  // the toolkit's state is all there is to see
  void CreateViewPeer(CView* view, ControlKind kind) override;
  void DestroyViewPeer(CView* view) override;
  void SyncView(CView*) override {}
  void Invalidate(CView* view) override { view->needsPaint = true; }
  int TextWidth(TFont* font, std::size_t len, const char* text) override;
  int StandardHeight(ControlKind kind) override;
  // Dismissed at once, as with OK; a held box stays open while the idle
  // handler goes on, without the toolkit's queue being pumped, as a native
  // box's own loop leaves it.
  void ShowMessageBox(CWindow*, const MessageBoxRecord& box) override;
  void RunLoop() override;
  void MessageLeftUnhandled(CWindow* window, win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override {
    unhandled.push_back(UnhandledMessage{window, message, wParam, lParam != 0});
  }
  void Reset() override {
    boxes.clear();
    unhandled.clear();
  }

  // The windows that have a native part, oldest first.
  std::vector<CWindow*> windows;
  // A view's native part: what kind of control it is.
  struct ViewPeer {
    ControlKind kind;
  };
  std::map<const CView*, std::unique_ptr<ViewPeer>> views;
  // The calls of each view's last PaintView, dropped with its native part.
  std::map<const CView*, std::vector<std::string>> paints;
  IdleHandler idle;
  std::vector<MessageBoxRecord> boxes;  // shown since the last reset
  std::vector<UnhandledMessage> unhandled;
  bool holdBoxes = false;  // the next boxes stay open until AnswerBox
  bool boxOpen = false;

 private:
  std::uintptr_t nextHandle_ = 0x10010;
};

HeadlessBackend& Headless();

}  // namespace view::headless
