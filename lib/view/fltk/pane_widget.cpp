#include "lib/view/fltk/pane_widget.h"

#include <FL/fl_draw.H>

#include "lib/view/fltk/device_context.h"
#include "lib/view/view.h"

namespace view::fltk {

PaneWidget::PaneWidget(CView* view) : Fl_Widget(0, 0, 0, 0), view_(view) {}

void PaneWidget::draw() {
  if (view_ == nullptr) return;
  TFont* font = view_->gContext != nullptr && view_->gContext->font != nullptr ? view_->gContext->font : TextFont();
  fl_push_clip(x(), y(), w(), h());
  view_->needsPaint = false;  // before painting: PaintView may ask for another
  FltkDeviceContext dc(x(), y(), font);
  view_->PaintView(&dc);
  fl_pop_clip();
}

}  // namespace view::fltk
