// The FLTK backend's state, shared by its sources. The toolkit keeps all
// state; each peer mirrors one toolkit object on the screen.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lib/view/backend.h"

class Fl_Widget;

namespace view::fltk {

class ToolkitWindow;

// The native part of a view. The widget sits in its top window's
// ToolkitWindow; FLTK deletes it (Fl::delete_widget) when the peer goes.
struct ViewPeer {
  ControlKind kind = ControlKind::Pane;
  Fl_Widget* widget = nullptr;
  std::vector<std::string> items;  // the combo box's items as the widget has them (Windows-1250)
  std::string caption;             // the button's caption as the widget has it (Windows-1250)
  bool captionSet = false;
};

class FltkBackend : public Backend {
 public:
  void Start() override;
  win::HWND CreateWindowPeer(CWindow* window) override;
  void DestroyWindowPeer(CWindow* window) override;
  void SyncWindow(CWindow* window) override;
  void SyncFocus(CWindow* window) override;
  // Where FLTK has put the focus (a click, Tab) becomes the toolkit's.
  void TakeFocus();
  void CreateViewPeer(CView* view, ControlKind kind) override;
  void DestroyViewPeer(CView* view) override;
  void SyncView(CView* view) override;
  void Invalidate(CView* view) override;
  int TextWidth(TFont* font, std::size_t len, const char* text) override;
  int StandardHeight(ControlKind kind) override;
  void ShowMessageBox(CWindow* owner, const MessageBoxRecord& box) override;  // message_box.cpp
  void RunLoop() override;                                                    // run_loop.cpp
  void Wake() override;

  ToolkitWindow* WindowOf(const CWindow* window) const;
  ToolkitWindow* TopWindowOf(CView* view) const;

  // Windows are owned by FLTK once handed to Fl::delete_widget; until then by this map.
  std::map<const CWindow*, ToolkitWindow*> windows;
  std::map<const CView*, std::unique_ptr<ViewPeer>> views;

 private:
  void SyncButton(CView* view, ViewPeer& peer);
  void SyncComboBox(CView* view, ViewPeer& peer);
};

FltkBackend& Fltk();

}  // namespace view::fltk
