#include "ui/camera_info_pane.h"

#include "core/cp1250.h"

namespace {

constexpr int kLabelRight = 92;
constexpr int kValueX = 100;
constexpr int kRowY[4] = {46, 70, 94, 118};
constexpr int kSeparatorY = 38;
constexpr int kTitleY = 0;
constexpr int kLine1Y = 20;
constexpr int kLine2Y = 46;
constexpr int kLine3Y = 70;
constexpr std::size_t kLineMax = 63;
constexpr std::size_t kValueMax = 31;
constexpr int kGraphicsContext = 7;

constexpr auto kLabel1 = CP1250("Typ kamery:");
constexpr auto kLabel2 = CP1250("ID kamery:");
constexpr auto kLabel3 = CP1250("Počet filtrů:");
constexpr auto kLabel4 = CP1250("Filtrové kolo:");
static_assert(kLabel1.length == 11 && kLabel2.length == 10 && kLabel3.length == 13 && kLabel4.length == 14,
              "label lengths");

constexpr std::string_view kLabels[4] = {kLabel1, kLabel2, kLabel3, kLabel4};

}  // namespace

CCameraInfoPane::CCameraInfoPane() {
  gContext = GetPGContext(kGraphicsContext);
  TFont* font = gContext != nullptr ? gContext->font : nullptr;
  // Each label ends at x 92, measured in the context's text font.
  for (int row = 0; row < 4; ++row)
    LabelX[row] = kLabelRight - GetTextW(font, kLabels[row].size(), kLabels[row].data());
}

void CCameraInfoPane::PaintView(CDeviceContext* dc) {
  const int w = Rect().width;
  const int h = Rect().height;
  dc->ClearRect(0, 0, w, h);
  dc->SetLineColor(gContext != nullptr ? gContext->lineColor1 : 0);
  dc->DrawLine(0, kSeparatorY, w - 1, kSeparatorY);
  dc->SetLineColor(gContext != nullptr ? gContext->lineColor2 : 0);
  dc->DrawLine(0, kSeparatorY + 1, w - 1, kSeparatorY + 1);

  dc->DrawString(0, kLine1Y, kLineMax, TextLine1);
  const bool messageLayout = TextLine3[0] != '\0';
  if (!messageLayout)
    for (int row = 0; row < 4; ++row) dc->DrawString(LabelX[row], kRowY[row], kLabels[row].size(), kLabels[row].data());

  dc->SelectFont(CaptionFont);
  dc->DrawString(0, kTitleY, kLineMax, StepTitle);
  if (messageLayout) {
    dc->DrawString(0, kLine2Y, kLineMax, TextLine2);
    dc->DrawString(0, kLine3Y, kLineMax, TextLine3);
    return;
  }
  dc->DrawString(kValueX, kRowY[0], kValueMax, CameraTypeText);
  dc->DrawString(kValueX, kRowY[1], kValueMax, CameraIdText);
  dc->DrawString(kValueX, kRowY[2], kValueMax, FilterCountText);
  dc->DrawString(kValueX, kRowY[3], kValueMax, FilterWheelText);
}
