// The headless backend's state, shared by its sources.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "lib/view/backend.h"
#include "lib/view/headless/headless.h"

namespace view::headless {

class HeadlessBackend : public Backend {
 public:
  win::HWND CreateWindowPeer(CWindow* window) override;
  void DestroyWindowPeer(CWindow* window) override;
  // What Windows' window manager does as the window changes: the start-up
  // show command on its first show, and which window is active (window_manager.cpp).
  void SyncWindow(CWindow* window) override;
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
    startupPending = true;
    shownOnce.clear();
    inactiveUntilUsed.clear();
    minimizedBefore.clear();
    menu = SystemMenu();
  }
  // Whether the window is the active one now, told to the toolkit window when it changes.
  void UpdateActivation(CWindow* window);

  // The windows that have a native part, oldest first.
  std::vector<CWindow*> windows;
  // A view's native part: what kind of control it is.
  struct ViewPeer {
    ControlKind kind;
    bool dropped = false;  // a drop-down list shows its items
  };
  std::map<const CView*, std::unique_ptr<ViewPeer>> views;
  // The calls of each view's last PaintView, dropped with its native part.
  std::map<const CView*, std::vector<std::string>> paints;
  IdleHandler idle;
  std::vector<MessageBoxRecord> boxes;  // shown since the last reset
  std::vector<UnhandledMessage> unhandled;
  bool holdBoxes = false;  // the next boxes stay open until AnswerBox
  bool boxOpen = false;
  CWindow* boxOwner = nullptr;  // while a held box is open

  // The show command the process was started with; Windows applies it to
  // the first window shown.
  int startupShow = 1;
  bool startupPending = true;
  std::set<const CWindow*> shownOnce;
  std::set<const CWindow*> inactiveUntilUsed;  // shown without activation (show commands 4, 7, 8)
  std::set<const CWindow*> minimizedBefore;
  // The system menu: the window in menu mode, whether its items show (Esc
  // closes them first and leaves menu mode only the second time), the
  // highlighted item.
  struct SystemMenu {
    CWindow* window = nullptr;
    bool popup = false;
    int item = 0;
  } menu;

 private:
  std::uintptr_t nextHandle_ = 0x10010;
};

HeadlessBackend& Headless();
// The kind of control a view's native part is; a pane when it has none.
ControlKind KindOfPeer(const CView* view);

}  // namespace view::headless
