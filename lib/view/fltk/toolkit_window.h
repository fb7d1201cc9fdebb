// The native window of a toolkit CWindow: fixed interior size. The toolkit's
// position is that of the client area: window managers differ in where they
// put a frame for a requested position, and a window put back where it
// reported itself must not creep by the frame's size at every start. It
// reports the close box, moves and minimizing back to the toolkit window
// while that window is attached.
#pragma once
#include <FL/Fl_Double_Window.H>

#include <string>

class CWindow;

namespace view::fltk {

class ToolkitWindow : public Fl_Double_Window {
 public:
  ToolkitWindow(CWindow* owner, int width, int height);

  CWindow* Owner() const { return owner_; }
  void Detach() { owner_ = nullptr; }  // the toolkit let go of its window: no more reports

  // Shows what the toolkit window holds: title, position, minimized, shown.
  void Sync();
  // Tells the toolkit where the window is, when that changed.
  void ReportPosition();

  int handle(int event) override;
  void resize(int x, int y, int width, int height) override;

 private:
  static void OnClose(Fl_Widget* widget, void* data);
  void HideWindow();

  CWindow* owner_;
  std::string title_;  // UTF-8; FLTK keeps its own copy
  int placedX_ = 0;    // position last requested or reported
  int placedY_ = 0;
  bool ownRequest_ = false;  // inside our own move or hide: not the user's doing
};

}  // namespace view::fltk
