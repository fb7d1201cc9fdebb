#include <algorithm>

#include "tests/unit/view_fixture_test.h"

namespace {

using WindowTest = ViewTest;

bool Contains(const CallLog& log, const std::string& entry) {
  return std::find(log.begin(), log.end(), entry) != log.end();
}

TEST_F(WindowTest, ShowCreatesTheNativeWindowThroughTheOverride) {
  LoggingWindow* window = OpenWindow(&log);
  EXPECT_EQ(log, CallLog{"CreatePeerWindow with handle"});
  EXPECT_TRUE(window->IsOpen());
  EXPECT_TRUE(window->IsShown());
  EXPECT_EQ(window->Rect(), CRect(100, 100, 272, 188));
  EXPECT_EQ(window->Title(), "Title");
}

TEST_F(WindowTest, CloseRunsTheOverridesInOrderAndEndsChildrenAfterThePeer) {
  LoggingWindow* window = OpenWindow(&log);
  auto* pane = new LoggingView(&log, "pane");
  pane->Init(CRect(8, 8, 256, 148));
  window->Register(pane);
  pane->Show();
  EXPECT_NE(pane->peer, nullptr);
  log.clear();

  window->UserClose();
  view::PumpPending();

  const CallLog expected{"ReceiveEvent 33", "Done", "DeletePeerWindow with handle", "Done pane", "delete pane"};
  EXPECT_EQ(log, expected);
  EXPECT_FALSE(window->IsOpen());
  EXPECT_TRUE(window->IsClosed());
  EXPECT_TRUE(window->Children().empty());
  // The background owns the closed window until its own Done.
  EXPECT_TRUE(view::IsLive(window));
}

TEST_F(WindowTest, CloseEndsTheNativeWindowWhenTheOverrideCallsTheNodeBase) {
  // The program's override ends with CNodeView::DeletePeerWindow, skipping CWindow's.
  class NodeBaseWindow : public LoggingWindow {
   public:
    using LoggingWindow::LoggingWindow;
    void DeletePeerWindow() override { CNodeView::DeletePeerWindow(); }
  };
  PBackground = new CBackground;
  auto* window = new NodeBaseWindow(&log);
  window->Init(CRect(100, 100, 272, 188), 0, 0, "");
  PBackground->Register(window);
  PBackground->Show();
  window->UserClose();
  PBackground->Exec();  // returns only once no window is open
  EXPECT_EQ(window->GetHandle(), nullptr);
  EXPECT_TRUE(window->IsClosed());
}

TEST_F(WindowTest, MakeEventIsHandledOnlyAfterTheCurrentHandlerReturns) {
  class Chaining : public LoggingWindow {
   public:
    using LoggingWindow::LoggingWindow;
    CallLog* out = nullptr;
    void ReceiveEvent(TEvent* event) override {
      if (event->command == 1003) {
        const TEvent next{view::kCommandClass, 1004, false};
        MakeEvent(&next);
        out->push_back("1003 returns");
      }
      LoggingWindow::ReceiveEvent(event);
    }
  };
  auto* window = new Chaining(&log);
  window->out = &log;
  window->CreatePeerWindow();
  log.clear();

  window->UserCommand(view::kCommandClass, 1003);
  EXPECT_TRUE(log.empty());  // queued, not handled
  view::PumpPending();
  EXPECT_EQ(log, (CallLog{"1003 returns", "ReceiveEvent 1003", "ReceiveEvent 1004"}));
  EXPECT_FALSE(view::HasPending());
}

TEST_F(WindowTest, OnlyAnUnstoppedCommandClassCloseEndsTheWindow) {
  LoggingWindow* window = OpenWindow(&log);

  window->UserCommand(0, CmdClose);  // no command class bit
  window->UserCommand(view::kCommandClass, 34);
  view::PumpPending();
  EXPECT_TRUE(window->IsOpen());

  window->stopClose = true;
  window->UserClose();
  view::PumpPending();
  EXPECT_TRUE(window->IsOpen());
  EXPECT_FALSE(Contains(log, "Done"));

  window->stopClose = false;
  window->UserCommand(view::kCommandClass | 0x2000, CmdClose);
  view::PumpPending();
  EXPECT_FALSE(window->IsOpen());
}

TEST_F(WindowTest, EventsAndMessagesForAClosedWindowAreDropped) {
  LoggingWindow* window = OpenWindow(&log);
  const win::HWND handle = window->GetHandle();
  window->UserClose();
  window->UserClose();  // a second close box press already queued
  view::PostNativeMessage(handle, 0x219, 7, {});
  view::PumpPending();
  EXPECT_EQ(std::count(log.begin(), log.end(), "Done"), 1);
  EXPECT_FALSE(Contains(log, "ReceiveMsg 537"));

  log.clear();
  window->UserCommand(view::kCommandClass, 1002);
  view::PumpPending();
  EXPECT_TRUE(log.empty());
}

TEST_F(WindowTest, MinimizeAndMaximizeKeepTheRestoreRectangle) {
  LoggingWindow* window = OpenWindow(&log);
  window->MoveTo(40, 50);
  window->Minimize();
  EXPECT_TRUE(window->IsMinimized());
  EXPECT_EQ(window->RestoreRect(), CRect(40, 50, 272, 188));

  window->Maximize();
  EXPECT_FALSE(window->IsMinimized());
  EXPECT_TRUE(window->IsMaximized());
  EXPECT_EQ(window->RestoreRect(), CRect(40, 50, 272, 188));

  window->MoveTo(7, 9);  // where it comes back to
  window->Restore();
  EXPECT_FALSE(window->IsMaximized());
  EXPECT_EQ(window->Rect(), CRect(7, 9, 272, 188));

  // What the native window reports while minimized is not a position.
  window->PeerStateChanged(true, false);
  window->PeerMoved(-32000, -32000);
  EXPECT_EQ(window->RestoreRect(), CRect(7, 9, 272, 188));
}

}  // namespace
