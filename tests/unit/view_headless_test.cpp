#include <algorithm>

#include "tests/unit/view_fixture_test.h"

namespace {

using HeadlessTest = ViewTest;

class EtchedPane : public CView {
 public:
  EtchedPane() { gContext = GetPGContext(7); }
  void PaintView(CDeviceContext* dc) override {
    dc->ClearRect(0, 0, Rect().width, Rect().height);
    dc->SetLineColor(gContext->lineColor1);
    dc->DrawLine(0, 38, Rect().width - 1, 38);
    dc->DrawString(0, 20, 63, "Krok 1:");
    dc->SelectFont(CaptionFont);
    dc->DrawString(100, 46, 5, "Nep\xf8ipojena");
  }
};

TEST_F(HeadlessTest, FontMetricsAndContextSeven) {
  EXPECT_EQ(GetTextW(view::TextFont(), 13,
                     "Po\xe8"
                     "et filtr\xf9:"),
            78);
  EXPECT_EQ(GetTextW(CaptionFont, 100, "abc\0def"), 21);
  EXPECT_EQ(GetTextW(view::TextFont(), 2, "abc"), 12);
  TGContext* context = view::GraphicsContext(7);
  EXPECT_EQ(context->font, view::TextFont());
  EXPECT_EQ(context->lineColor1, 0x00A0A0A0u);
  EXPECT_EQ(context->lineColor2, 0x00FFFFFFu);
  EXPECT_EQ(view::TextFont()->face, "text");
  EXPECT_EQ(CaptionFont->face, "caption");
  EXPECT_TRUE(CaptionFont->bold);
}

TEST_F(HeadlessTest, PaintPendingRecordsWhatTheViewDrew) {
  LoggingWindow* window = OpenWindow(&log);
  auto* pane = new EtchedPane;
  pane->Init(CRect(8, 8, 256, 148));
  window->Register(pane);
  view::headless::PaintPending();
  EXPECT_TRUE(view::headless::LastPaint(pane).empty());  // not shown yet

  pane->Show();
  view::headless::PaintPending();
  const std::vector<std::string> expected{"ClearRect 0 0 256 148", "SetLineColor 0x00a0a0a0",
                                          "DrawLine 0 38 255 38",  "DrawString 0 20 63 \"Krok 1:\"",
                                          "SelectFont caption",    "DrawString 100 46 5 \"Nepři\""};
  EXPECT_EQ(view::headless::LastPaint(pane), expected);
  EXPECT_FALSE(pane->needsPaint);

  pane->Done();
  EXPECT_TRUE(view::headless::LastPaint(pane).empty());
}

TEST_F(HeadlessTest, ExecEndsWhenTheIdleHandlerDeclines) {
  LoggingWindow* window = OpenWindow(&log);
  int idleCalls = 0;
  view::headless::SetIdleHandler([&] {
    ++idleCalls;
    if (idleCalls == 1) window->UserCommand(view::kCommandClass, 1003);
    return idleCalls < 2;
  });
  log.clear();
  PBackground->Exec();
  EXPECT_EQ(idleCalls, 2);
  EXPECT_EQ(log, (CallLog{"ReceiveEvent 1003", "ReceiveEvent 33", "Done", "DeletePeerWindow with handle"}));
  EXPECT_TRUE(window->IsClosed());
}

TEST_F(HeadlessTest, ExecWithoutIdleHandlerClosesAtOnce) {
  LoggingWindow* window = OpenWindow(&log);
  PBackground->Exec();
  EXPECT_TRUE(window->IsClosed());
}

TEST_F(HeadlessTest, AWindowThatRefusesToCloseDoesNotHangTheLoop) {
  LoggingWindow* window = OpenWindow(&log);
  window->stopClose = true;
  PBackground->Exec();
  EXPECT_TRUE(window->IsOpen());
  EXPECT_GE(std::count(log.begin(), log.end(), "ReceiveEvent 33"), 1);
}

}  // namespace
