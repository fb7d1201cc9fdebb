// The native Win32 backend: a real top-level window per CWindow, a child
// window per view (a painted pane, a BUTTON or a COMBOBOX), modal message
// boxes and a GetMessage loop. All text goes through the W functions.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lib/view/backend.h"
#include "lib/view/win32/class_names.h"
#include "lib/view/win32/native_fonts.h"

namespace view::win32 {

// What the backend keeps for one view's child window, from CreateViewPeer to
// DestroyViewPeer; the backend owns it and view->peer points to it.
struct ViewPeer {
  CView* view = nullptr;
  ControlKind kind = ControlKind::Pane;
  HWND hwnd = nullptr;  // null once the top-level window took it down
  HWND top = nullptr;
  // What the control shows now, to send Windows only what changed. For a
  // pane, caption is its texts line by line: its name for screen readers.
  std::wstring caption;
  std::vector<std::string> items;
  bool itemsShown = false;
  // The place and field height last given to the control. Only a change is
  // applied: laying a drop-down list out again while it is open (its own
  // notifications sync the view) closes it behind its back, and Wine then
  // leaves the mouse captured by the hidden list, which takes the next click.
  RECT placed = {0, 0, -1, -1};
  int fieldHeight = -1;
};

// What the backend keeps for one top-level window.
struct WindowPeer {
  CWindow* window = nullptr;
  HWND hwnd = nullptr;
  std::wstring title;
  HANDLE icon16 = nullptr;
  HANDLE icon32 = nullptr;
  SIZE outer = {};       // fixed outer size for the interior size
  bool syncing = false;  // our own changes are not reported back as the user's
};

class Win32Backend : public Backend {
 public:
  static Win32Backend& Instance();

  void Start() override;
  HWND CreateWindowPeer(CWindow* window) override;
  void DestroyWindowPeer(CWindow* window) override;
  void SyncWindow(CWindow* window) override;
  void SyncFocus(CWindow* window) override;
  void CreateViewPeer(CView* view, ControlKind kind) override;
  void DestroyViewPeer(CView* view) override;
  void SyncView(CView* view) override;
  void Invalidate(CView* view) override;
  int TextWidth(TFont* font, std::size_t len, const char* text) override;
  int StandardHeight(ControlKind kind) override;
  void ShowMessageBox(CWindow* owner, const MessageBoxRecord& box) override;
  void RunLoop() override;
  void Wake() override;

  // For the window procedures.
  NativeFonts& Fonts() { return fonts_; }
  WindowPeer* PeerOf(HWND top);
  // Paints view (a pane or a window) into its own window's device context.
  void Paint(CView* view, HWND hwnd);
  void ReportPlacement(WindowPeer& peer);
  void WakeReceived() { wakePosted_ = false; }
  // The selection a drop-down list shows becomes the toolkit's: Windows sends
  // no CBN_SELCHANGE when a list closes back on the item it had.
  void TakeSelection(ViewPeer& peer);
  void TakeSelections(CWindow* window);
  // The control a native window is, when it is one of ours; else null.
  ViewPeer* ControlOf(HWND hwnd);
  // Where Windows has put the focus becomes the toolkit's (a click, Tab).
  void TakeFocus();

 private:
  void Apply(ViewPeer& peer);
  void Restack(CWindow* window);
  void Name(ViewPeer& peer);
  void ApplyPlacement(WindowPeer& peer);
  bool AnyWindowOpen() const;
  HINSTANCE instance_ = nullptr;
  HWND wakeWindow_ = nullptr;
  bool wakePosted_ = false;
  int nextControlId_ = 100;  // clear of IDOK and IDCANCEL, which dialog keys send
  NativeFonts fonts_;
  std::vector<std::unique_ptr<WindowPeer>> windows_;
  std::map<const CView*, std::unique_ptr<ViewPeer>> views_;
};

// The window procedures of the classes in class_names.h (top_window.cpp,
// child_views.cpp, event_loop.cpp).
LRESULT CALLBACK TopWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PaneProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK WakeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Where a maximized window asks to go (WM_GETMINMAXINFO's ptMaxPosition) to
// keep its normal place: Windows takes the position relative to the work
// area of the window's own monitor.
POINT MaximizedPosition(const CRect& normal, const RECT& ownWork);

}  // namespace view::win32
