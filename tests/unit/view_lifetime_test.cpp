#include <algorithm>

#include "lib/view/headless/headless.h"
#include "tests/unit/view_fixture_test.h"

namespace {

using LifetimeTest = ViewTest;

TEST_F(LifetimeTest, DoneLeavesTheObjectUsableUntilTheQueueIsIdle) {
  // Ends its pane from inside its own command handling, as the wizard does.
  class EndingWindow : public LoggingWindow {
   public:
    using LoggingWindow::LoggingWindow;
    LoggingView* pane = nullptr;
    bool endedButAlive = false;
    void ReceiveEvent(TEvent* event) override {
      if (event->command == 1002) {
        pane->Done();
        endedButAlive = pane->IsEnded() && view::IsLive(pane);
      }
      LoggingWindow::ReceiveEvent(event);
    }
  };
  auto* window = new EndingWindow(&log);
  window->CreatePeerWindow();
  window->pane = new LoggingView(&log, "pane");
  window->Register(window->pane);

  window->UserCommand(view::kCommandClass, 1002);
  view::PumpPending();
  EXPECT_TRUE(window->endedButAlive);
  EXPECT_TRUE(window->Children().empty());
  EXPECT_FALSE(view::IsLive(window->pane));
  EXPECT_EQ(log.back(), "delete pane");
}

TEST_F(LifetimeTest, DoneOutsideTheLoopWaitsForTheNextPump) {
  auto* window = new LoggingWindow(&log);
  auto* view = new LoggingView(&log, "v");
  window->Register(view);
  view->Done();
  EXPECT_TRUE(view::IsLive(view));
  EXPECT_TRUE(view::HasPending());
  EXPECT_TRUE(window->Children().empty());
  view::PumpPending();
  EXPECT_FALSE(view::IsLive(view));
  EXPECT_FALSE(view::HasPending());
}

TEST_F(LifetimeTest, RegisterFirstPutsTheChildInFront) {
  auto* window = new LoggingWindow(&log);
  auto* a = new LoggingView(&log, "a");
  auto* b = new LoggingView(&log, "b");
  auto* c = new LoggingView(&log, "c");
  window->Register(a);
  window->Register(b);
  window->RegisterFirst(c);
  EXPECT_EQ(window->Children(), (std::vector<CView*>{c, a, b}));
  window->Register(c);  // registering again moves it, never duplicates it
  EXPECT_EQ(window->Children(), (std::vector<CView*>{a, b, c}));
  EXPECT_EQ(c->Parent(), window);
}

TEST_F(LifetimeTest, NodeDoneEndsTheChildrenInOrderThenItself) {
  auto* window = new LoggingWindow(&log);
  auto* node = new CNodeView;
  window->Register(node);
  node->Register(new LoggingView(&log, "first"));
  node->Register(new LoggingView(&log, "second"));
  node->Done();
  EXPECT_EQ(log, (CallLog{"Done first", "Done second"}));
  EXPECT_TRUE(node->IsEnded());
  EXPECT_TRUE(window->Children().empty());
  view::PumpPending();
  EXPECT_FALSE(view::IsLive(node));
}

TEST_F(LifetimeTest, PeersExistExactlyWhileTheWindowHasItsNativeWindow) {
  auto* window = new LoggingWindow(&log);
  auto* early = new LoggingView(&log, "early");
  window->Register(early);
  EXPECT_EQ(early->peer, nullptr);

  window->CreatePeerWindow();
  EXPECT_NE(early->peer, nullptr);
  auto* late = new LoggingView(&log, "late");
  window->Register(late);
  EXPECT_NE(late->peer, nullptr);

  late->Done();
  EXPECT_EQ(late->peer, nullptr);
  window->DeletePeerWindow();
  EXPECT_EQ(early->peer, nullptr);
  EXPECT_EQ(window->GetHandle(), nullptr);
}

TEST_F(LifetimeTest, BackgroundDoneFreesTheClosedWindowAndItself) {
  LoggingWindow* window = OpenWindow(&log);
  window->Register(new LoggingView(&log, "pane"));
  window->UserClose();
  view::PumpPending();
  ASSERT_TRUE(view::IsLive(window));
  CBackground* background = PBackground;
  background->Done();
  EXPECT_EQ(PBackground, nullptr);
  EXPECT_FALSE(view::IsLive(window));
  EXPECT_FALSE(view::IsLive(background));
}

TEST_F(LifetimeTest, ResetFreesEverythingAndStartUpWorksAgain) {
  LoggingWindow* window = OpenWindow(&log);
  window->Register(new LoggingView(&log, "registered"));
  new LoggingView(&log, "loose");  // never registered, never ended
  DoMessageBox(window, 2, CRect(), 1, 1, 4, 5, "Chyba", 1, "a", 0, "", 0, "", piStop);
  window->UserClose();  // still queued

  view::ResetToolkit();
  EXPECT_EQ(std::count(log.begin(), log.end(), "delete registered"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "delete loose"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "Done"), 0);  // reset frees, it does not close
  EXPECT_EQ(PBackground, nullptr);
  EXPECT_EQ(CaptionFont, nullptr);
  EXPECT_EQ(piStop, nullptr);
  EXPECT_EQ(view::TextFont(), nullptr);
  EXPECT_TRUE(view::headless::MessageBoxLog().empty());
  EXPECT_FALSE(view::HasPending());

  SetUp();
  ASSERT_NE(CaptionFont, nullptr);
  ASSERT_NE(piInfo32, nullptr);
  EXPECT_EQ(view::GraphicsContext(7)->font, view::TextFont());
  LoggingWindow* again = OpenWindow(&log);
  EXPECT_TRUE(again->IsOpen());
}

}  // namespace
