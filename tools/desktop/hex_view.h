// The panel's hex view of a block reading: changed bytes stand out in red
// on yellow.
#pragma once
#include <FL/Fl_Widget.H>

#include "tools/desktop/panel_model.h"

namespace desktop {

class HexView : public Fl_Widget {
 public:
  HexView(int x, int y, int width, int height);
  void Show(const BlockReading& reading);
  void Clear();
  void draw() override;

 private:
  BlockReading reading_;
  bool hasReading_ = false;
};

}  // namespace desktop
