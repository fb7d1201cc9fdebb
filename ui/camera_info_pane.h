// The pane above the buttons: step title, instruction, an etched separator,
// then either the four camera facts beside their labels or two message lines.
// It holds no logic; the wizard writes its fields and asks for a repaint.
#pragma once
#include <cstdint>

#include "lib/view/view.h"

class CCameraInfoPane : public CView {
 public:
  CCameraInfoPane();
  void PaintView(CDeviceContext* dc) override;

  // Zero-terminated Windows-1250; the writers cut at 63 and 31 characters.
  char StepTitle[64] = {};
  char TextLine1[64] = {};
  char TextLine2[64] = {};
  char TextLine3[64] = {};  // non-empty: the message layout
  char CameraTypeText[32] = {};
  char CameraIdText[32] = {};
  char FilterCountText[32] = {};
  char FilterWheelText[32] = {};
  std::int32_t LabelX[4] = {};  // each label ends at x 92
};
