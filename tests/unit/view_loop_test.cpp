#include <cstring>

#include "lib/view/headless/headless.h"
#include "tests/unit/view_fixture_test.h"

namespace {

using LoopTest = ViewTest;

// Reads the broadcast header while the message is handled, as the program does.
class DeviceWindow : public CWindow {
 public:
  struct Seen {
    win::WPARAM wParam;
    bool hasHeader;
    win::DWORD deviceType;
  };
  std::vector<Seen> seen;
  bool ReceiveMsg(win::UINT message, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT* result) override {
    Seen s{wParam, lParam != 0, 0};
    if (lParam != 0) {
      win::DEV_BROADCAST_HDR header;
      std::memcpy(&header, reinterpret_cast<const void*>(lParam), sizeof header);
      s.deviceType = header.dbch_devicetype;
    }
    seen.push_back(s);
    return CWindow::ReceiveMsg(message, wParam, lParam, result);
  }
};

std::vector<std::uint8_t> Header(win::DWORD deviceType) {
  win::DEV_BROADCAST_HDR header{sizeof(win::DEV_BROADCAST_HDR), deviceType, 0};
  std::vector<std::uint8_t> bytes(sizeof header);
  std::memcpy(bytes.data(), &header, sizeof header);
  return bytes;
}

TEST_F(LoopTest, PostedHeaderLivesWhileTheHandlerRunsAndEmptyGivesZero) {
  auto* window = new DeviceWindow;
  window->CreatePeerWindow();
  view::PostNativeMessage(window->GetHandle(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, Header(5));
  view::PostNativeMessage(window->GetHandle(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, {});
  view::PostNativeMessage(window->GetHandle(), WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, Header(2));
  EXPECT_TRUE(window->seen.empty());
  view::PumpPending();

  ASSERT_EQ(window->seen.size(), 3u);
  EXPECT_TRUE(window->seen[0].hasHeader);
  EXPECT_EQ(window->seen[0].deviceType, 5u);
  EXPECT_FALSE(window->seen[1].hasHeader);
  EXPECT_EQ(window->seen[2].deviceType, 2u);
  const auto& unhandled = view::headless::UnhandledMessages();
  ASSERT_EQ(unhandled.size(), 3u);
  EXPECT_FALSE(unhandled[1].hasRecord);
  EXPECT_EQ(unhandled[2].wParam, DBT_DEVICEREMOVECOMPLETE);
}

TEST_F(LoopTest, AShortHeaderIsNeverReadPastItsEnd) {
  auto* window = new DeviceWindow;
  window->CreatePeerWindow();
  view::PostNativeMessage(window->GetHandle(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, {0x0c, 0, 0, 0});
  view::PumpPending();  // the handler reads a whole header: must stay in bounds (sanitizer build)
  ASSERT_EQ(window->seen.size(), 1u);
  EXPECT_EQ(window->seen[0].deviceType, 0u);
}

TEST_F(LoopTest, MessagesToNoWindowAreDropped) {
  auto* window = new DeviceWindow;
  window->CreatePeerWindow();
  view::PostNativeMessage(nullptr, WM_DEVICECHANGE, 7, {});
  view::PostNativeMessage(reinterpret_cast<win::HWND>(static_cast<std::uintptr_t>(0x42)), WM_DEVICECHANGE, 7, {});
  view::PumpPending();
  EXPECT_TRUE(window->seen.empty());
  EXPECT_FALSE(view::HasPending());
}

TEST_F(LoopTest, EventsAndMessagesKeepTheirOrderIncludingWhatHandlingQueues) {
  class Queuing : public LoggingWindow {
   public:
    using LoggingWindow::LoggingWindow;
    void ReceiveEvent(TEvent* event) override {
      if (event->command == 1) view::PostNativeMessage(GetHandle(), 0x400, 0, {});
      LoggingWindow::ReceiveEvent(event);
    }
  };
  auto* window = new Queuing(&log);
  window->CreatePeerWindow();
  log.clear();
  window->UserCommand(view::kCommandClass, 1);
  view::PostNativeMessage(window->GetHandle(), 0x401, 0, {});
  window->UserCommand(view::kCommandClass, 2);
  view::PumpPending();
  EXPECT_EQ(log, (CallLog{"ReceiveEvent 1", "ReceiveMsg 1025", "ReceiveEvent 2", "ReceiveMsg 1024"}));
}

}  // namespace
