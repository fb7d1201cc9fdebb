// What a view backend provides. Exactly one backend library is linked; it
// defines view::TheBackend(). The toolkit keeps all state; the backend mirrors
// it on the screen and reports the user's actions back through CWindow and
// the controls' User* operations.
#pragma once
#include <cstddef>

#include "lib/view/controls.h"
#include "lib/view/message_box.h"
#include "lib/view/window.h"

namespace view {

enum class ControlKind { Pane, Button, ComboBox };

class Backend {
 public:
  virtual ~Backend() = default;
  virtual void Start() {}                                   // from the module initialisers, once
  virtual win::HWND CreateWindowPeer(CWindow* window) = 0;  // native window for the interior size
  virtual void DestroyWindowPeer(CWindow* window) = 0;
  virtual void SyncWindow(CWindow* window) = 0;  // title, icons, position or state changed
  virtual void SyncFocus(CWindow*) {}            // the window's focused view changed
  virtual void CreateViewPeer(CView* view, ControlKind kind) = 0;
  virtual void DestroyViewPeer(CView* view) = 0;
  virtual void SyncView(CView* view) = 0;    // rect, shown, caption, enabled, items or selection changed
  virtual void Invalidate(CView* view) = 0;  // repaint later through PaintView
  virtual int TextWidth(TFont* font, std::size_t len, const char* text) = 0;
  virtual int StandardHeight(ControlKind kind) = 0;
  virtual void ShowMessageBox(CWindow* owner, const MessageBoxRecord& box) = 0;  // modal
  virtual void RunLoop() = 0;  // returns when no window of PBackground is open; calls PumpPending
  virtual void Wake() {}       // something was queued
  // A queued message that the window's ReceiveMsg did not handle; lParam lives only for the call.
  virtual void MessageLeftUnhandled(CWindow*, win::UINT, win::WPARAM, win::LPARAM) {}
  virtual void Reset() {}  // the toolkit was reset (drivers and tests)
};

Backend& TheBackend();

// A backend's standard heights: a button's, a closed drop-down list's, none for a pane.
inline int StandardHeightOf(ControlKind kind, int button, int comboBox) {
  return kind == ControlKind::Button ? button : kind == ControlKind::ComboBox ? comboBox : 0;
}

// Walks through the view tree that every backend needs: the top-level window
// a view belongs to (the view itself for a window) or null; the view's
// top-left corner in that window's interior (views may nest); whether it and
// every view between it and its window are shown.
CWindow* TopWindowOf(const CView* view);
struct InteriorPoint {
  int x = 0;
  int y = 0;
};
InteriorPoint InteriorOrigin(const CView* view);
bool ShownInWindow(const CView* view);

}  // namespace view
