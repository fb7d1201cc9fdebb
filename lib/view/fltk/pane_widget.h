// A painted toolkit view (the information pane, or any plain CView) as an
// FLTK widget: draw() runs the view's PaintView over fl_* drawing.
#pragma once
#include <FL/Fl_Widget.H>

class CView;

namespace view::fltk {

class PaneWidget : public Fl_Widget {
 public:
  explicit PaneWidget(CView* view);
  void Detach() { view_ = nullptr; }  // the view's peer was dropped; FLTK deletes the widget later
  void draw() override;

 private:
  CView* view_;
};

}  // namespace view::fltk
