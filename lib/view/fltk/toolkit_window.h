// The native window of a toolkit CWindow: fixed interior size, placed by its
// outer corner. It reports the close box, moves and minimizing back to the
// toolkit window while that window is attached.
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
  // Tells the toolkit where the window's outer corner is, when that changed.
  void ReportPosition();

  int handle(int event) override;
  void resize(int x, int y, int width, int height) override;

 private:
  static void OnClose(Fl_Widget* widget, void* data);
  void HideWindow();

  CWindow* owner_;
  std::string title_;  // UTF-8; FLTK keeps its own copy
  int outerX_ = 0;     // outer corner last requested or reported
  int outerY_ = 0;
  bool ownRequest_ = false;  // inside our own move or hide: not the user's doing
};

}  // namespace view::fltk
