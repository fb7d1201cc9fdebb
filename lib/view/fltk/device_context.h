// The device context a view paints with on FLTK: fl_* drawing, offset to the
// view's place in its window. Valid only inside a widget's draw().
#pragma once
#include "lib/view/graphics.h"

namespace view::fltk {

class FltkDeviceContext : public CDeviceContext {
 public:
  // originX, originY: the view's top-left corner in window coordinates.
  FltkDeviceContext(int originX, int originY, TFont* startFont);
  void ClearRect(int x, int y, int width, int height) override;
  void SetLineColor(TColor color) override;
  void DrawLine(int x1, int y1, int x2, int y2) override;
  void SelectFont(TFont* font) override;
  void DrawString(int x, int y, std::size_t maxLen, const char* text) override;

 private:
  int originX_;
  int originY_;
  TFont* font_;
  TColor lineColor_ = 0;
};

}  // namespace view::fltk
