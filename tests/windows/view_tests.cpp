// The native view backend under Wine: what the toolkit holds shows on the
// screen, and what a person does on the screen reaches the toolkit.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "lib/view/backend.h"
#include "tests/windows/view_fixture.h"

namespace wintest {
namespace {

const wchar_t kTitle[] = L"Po\u010det Filtr\u016f v3.0";

TEST_F(NativeWindow, FixedSizeWindowAtItsPlaceWithTheCzechTitle) {
  RECT client, outer;
  GetClientRect(hwnd, &client);
  GetWindowRect(hwnd, &outer);
  EXPECT_EQ(client.right, 272);
  EXPECT_EQ(client.bottom, 188);
  EXPECT_EQ(outer.left, 120);
  EXPECT_EQ(outer.top, 90);
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(TextOf(hwnd), kTitle);

  window->SetTitle(8, "Zelt KAI");
  EXPECT_EQ(TextOf(hwnd), L"Zelt KAI");
  HICON small = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  HICON large = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_INFORMATION));
  window->SetWinIcon(small, large);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0)), small);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0)), large);
}

TEST_F(NativeWindow, ButtonsShowCaptionStateAndPlace) {
  HWND button = Peer(next);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(TextOf(button), L"Dal\u0161\u00ed ->");
  EXPECT_TRUE(IsWindowVisible(button));
  next->Disable();
  EXPECT_FALSE(IsWindowEnabled(button));
  next->Enable();
  EXPECT_TRUE(IsWindowEnabled(button));
  next->Init(next->Rect(), 1003, 8, "Dokon\xe8it", 0);
  EXPECT_EQ(TextOf(button), L"Dokon\u010dit");

  RECT rect;
  GetWindowRect(button, &rect);
  MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 140);
  EXPECT_EQ(rect.top, 156);
  EXPECT_EQ(rect.right - rect.left, 124);
  EXPECT_EQ(rect.bottom - rect.top, next->Rect().height) << "standard height chosen by the backend";
  EXPECT_GT(next->Rect().height, 15);
  EXPECT_LE(156 + next->Rect().height, 188);
}

TEST_F(NativeWindow, ClickingAButtonSendsItsCommand) {
  SendMessageW(Peer(action), BM_CLICK, 0, 0);
  Pump();
  ASSERT_EQ(window->events.size(), 1u);
  EXPECT_EQ(window->events[0].command, 1002u);
  EXPECT_EQ(window->events[0].eventClass & 0x3000u, 0x1000u);

  action->Disable();
  SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(Peer(action)));
  Pump();
  EXPECT_EQ(window->events.size(), 1u) << "a disabled button sends nothing";
}

TEST_F(NativeWindow, DropDownListShowsItemsAndTakesTheUsersChoice) {
  HWND list = Peer(box);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(GetWindowLongW(list, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
  box->AddItem(16, "Nen\xed instalov\xe1no", 0);
  box->AddItem(7, "5 pozic", 0);
  box->AddItem(8, "12 pozic", 0);
  box->FinishItems();
  box->SetSelection(2);
  ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 3);
  wchar_t item[64] = {};
  SendMessageW(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
  EXPECT_STREQ(item, L"Nen\u00ed instalov\u00e1no");
  EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 1);

  // The user picks the third item.
  SendMessageW(list, CB_SETCURSEL, 2, 0);
  SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(box->GetSelection(), 3);

  box->SetSelection(0);
  EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), CB_ERR);

  RECT rect;
  GetWindowRect(list, &rect);
  MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 108);
  EXPECT_EQ(rect.top, 101);
  EXPECT_LE(101 + box->Rect().height, 125) << "the next row's box starts at 125";
}

// The wizard registers its lists first, over the information pane: they must
// lie above it (a click there opens the list) and take the focus before the
// buttons, as Windows keeps siblings in z-order and tabs in that order.
TEST_F(NativeWindow, TheViewOrderIsTheStackingAndTabOrder) {
  auto* first = new CComboBox;
  first->Init(CRect(108, 125, 156, 0), 0, false);
  window->RegisterFirst(first);
  first->Show();
  Pump();
  HWND list = Peer(first);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(GetWindow(hwnd, GW_CHILD), list) << "registered first, so on top";
  EXPECT_EQ(ChildWindowFromPointEx(hwnd, POINT{150, 130}, CWP_SKIPINVISIBLE), list) << "not the pane beneath";
  std::vector<HWND> order;
  for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    order.push_back(child);
  const std::vector<HWND> expected = {list, Peer(pane), Peer(action), Peer(next), Peer(box)};
  EXPECT_EQ(order, expected) << "the toolkit's child list, front first";
  EXPECT_EQ(GetNextDlgTabItem(hwnd, nullptr, FALSE), list);
}

// Windows closes a list with Esc on the item it had without CBN_SELCHANGE:
// the command of a button acts on what the lists show, however they got there.
TEST_F(NativeWindow, WhatAListShowsIsWhatTheNextCommandUses) {
  HWND list = Peer(box);
  box->AddItem(7, "5 pozic", 0);
  box->AddItem(7, "6 pozic", 0);
  box->AddItem(7, "7 pozic", 0);
  box->FinishItems();
  box->SetSelection(1);
  SendMessageW(list, CB_SETCURSEL, 2, 0);  // no notification
  SendMessageW(Peer(action), BM_CLICK, 0, 0);
  Pump();
  ASSERT_EQ(window->events.size(), 1u);
  EXPECT_EQ(box->GetSelection(), 3) << "taken from the list before the command";

  SendMessageW(list, CB_SETCURSEL, 1, 0);
  SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_CLOSEUP), reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(box->GetSelection(), 2) << "a list that closes hands over what it shows";
}

// A list's notifications come while it is open; laying it out again then
// closes it behind its back, and Wine leaves the mouse captured by the hidden
// list, which took the next click meant for a button.
TEST_F(NativeWindow, AnOpenListStaysOpenWhileItsChoiceReachesTheToolkit) {
  HWND list = Peer(box);
  box->AddItem(7, "5 pozic", 0);
  box->AddItem(7, "6 pozic", 0);
  box->FinishItems();
  box->SetSelection(1);
  SetForegroundWindow(hwnd);
  SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
  ASSERT_TRUE(SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0));
  SendMessageW(list, CB_SETCURSEL, 1, 0);
  SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(box->GetSelection(), 2);
  EXPECT_TRUE(SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0)) << "the toolkit's answer closed the list";
  SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(GetCapture(), nullptr) << "the closed list still holds the mouse";
}

// The painted pane has a window text for screen readers: what it draws, line
// by line, the strings of one line in their order from the left.
TEST_F(NativeWindow, ThePaneIsNamedByWhatItDraws) {
  struct Lines : CView {
    void PaintView(CDeviceContext* dc) override {
      dc->DrawString(100, 46, 31, "Zelt KAF");
      dc->DrawString(8, 46, 11, "Typ kamery:");
      dc->DrawString(0, 0, 63, "Krok 1:");
      dc->DrawString(0, 70, 31, "");            // drawn empty: an empty line
      dc->DrawString(0, 20, 4, "P\xf8ipojte");  // cut at its maximum
    }
  };
  auto* named = new Lines;
  named->Init(CRect(8, 8, 256, 148));
  window->Register(named);
  named->Show();
  Pump();
  EXPECT_EQ(TextOf(Peer(named)), L"Krok 1:\r\nP\u0159ip\r\nTyp kamery: Zelt KAF\r\n");
}

TEST_F(NativeWindow, EveryDeviceChangeReachesReceiveMsgWithItsOwnCopy) {
  std::vector<std::uint8_t> record(293, 0);
  const DWORD size = 293, type = 5;
  std::memcpy(record.data(), &size, 4);
  std::memcpy(record.data() + 4, &type, 4);
  std::memcpy(record.data() + 28, "\\\\?\\usb#zelt", 12);
  const std::vector<std::uint8_t> original = record;
  SendMessageW(hwnd, WM_DEVICECHANGE, 0x8004, reinterpret_cast<LPARAM>(record.data()));
  std::fill(record.begin(), record.end(), 0xEE);  // the sender's record is gone
  SendMessageW(hwnd, WM_DEVICECHANGE, 0x0007, 0);
  DEV_BROADCAST_HDR volume = {sizeof(DEV_BROADCAST_HDR), 2, 0};
  SendMessageW(hwnd, WM_DEVICECHANGE, 0x8000, reinterpret_cast<LPARAM>(&volume));
  // Another program's lParam of an event without a record is no address here.
  SendMessageW(hwnd, WM_DEVICECHANGE, 0x0018, 0x10);
  Pump();

  ASSERT_EQ(window->device.size(), 4u);
  EXPECT_EQ(window->device[3].code, 0x0018u);
  EXPECT_FALSE(window->device[3].hasHeader) << "never read";
  EXPECT_EQ(window->device[0].code, 0x8004u);
  EXPECT_EQ(window->device[0].header, original);
  EXPECT_EQ(window->device[1].code, 0x0007u);
  EXPECT_FALSE(window->device[1].hasHeader) << "lParam 0 stays 0";
  EXPECT_EQ(window->device[2].code, 0x8000u);
  EXPECT_EQ(window->device[2].header.size(), sizeof(DEV_BROADCAST_HDR));
}

TEST_F(NativeWindow, TheUsersMovesAndMinimizingReachTheToolkit) {
  SetWindowPos(hwnd, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Pump();
  EXPECT_EQ(window->Rect().x, 300);
  EXPECT_EQ(window->Rect().y, 200);

  ShowWindow(hwnd, SW_MINIMIZE);
  Pump();
  EXPECT_TRUE(window->IsMinimized());
  EXPECT_EQ(window->RestoreRect().x, 300) << "not the minimized window's parking place";
  EXPECT_EQ(window->RestoreRect().y, 200);

  ShowWindow(hwnd, SW_RESTORE);
  Pump();
  EXPECT_FALSE(window->IsMinimized());
  EXPECT_EQ(window->Rect().x, 300);
}

TEST_F(NativeWindow, TheToolkitsMovesAndMinimizingReachTheScreen) {
  window->MoveTo(50, 60);
  RECT outer;
  GetWindowRect(hwnd, &outer);
  EXPECT_EQ(outer.left, 50);
  EXPECT_EQ(outer.top, 60);
  window->Minimize();
  EXPECT_TRUE(IsIconic(hwnd));
  window->Restore();
  EXPECT_FALSE(IsIconic(hwnd));
  GetWindowRect(hwnd, &outer);
  EXPECT_EQ(outer.left, 50);
  RECT client;
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 272);
}

TEST_F(NativeWindow, TheCloseBoxClosesThroughCmdCloseAndEndsTheLoop) {
  PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  view::TheBackend().RunLoop();  // returns once no window is open
  ASSERT_FALSE(window->events.empty());
  EXPECT_EQ(window->events.back().command, 33u);
  EXPECT_TRUE(window->IsClosed());
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(NativeWindow, PaneIsPaintedWithTheSystemsEtchedColours) {
  SetForegroundWindow(hwnd);
  HWND paneWindow = Peer(pane);
  ASSERT_NE(paneWindow, nullptr);
  RedrawWindow(paneWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetDC(paneWindow);
  const COLORREF dark = GetPixel(dc, 0, 38);
  const COLORREF darkEnd = GetPixel(dc, 255, 38);
  const COLORREF light = GetPixel(dc, 128, 39);
  const COLORREF face = GetPixel(dc, 128, 100);
  int textPixels = 0;
  for (int x = 0; x < 60; ++x)
    for (int y = 0; y < 16; ++y) textPixels += GetPixel(dc, x, y) != face ? 1 : 0;
  ReleaseDC(paneWindow, dc);
  EXPECT_EQ(dark, GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(darkEnd, GetSysColor(COLOR_BTNSHADOW)) << "the line's last pixel is drawn";
  EXPECT_EQ(light, GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(face, GetSysColor(COLOR_BTNFACE));
  EXPECT_GT(textPixels, 20) << "the text was drawn";
}

TEST_F(NativeWindow, TextWidthFollowsTheFontAndTheLength) {
  TFont* text = view::TextFont();
  const int label = GetTextW(text, 13,
                             "Po\xe8"
                             "et filtr\xf9:");
  EXPECT_GT(label, 30);
  EXPECT_LT(label, 92) << "labels end at x 92";
  EXPECT_GE(GetTextW(CaptionFont, 13,
                     "Po\xe8"
                     "et filtr\xf9:"),
            label)
      << "bold is not narrower";
  EXPECT_EQ(GetTextW(text, 3, "abcdef"), GetTextW(text, 3, "abc"));
  EXPECT_EQ(GetTextW(text, 10, "ab\0cd"), GetTextW(text, 2, "ab"));
  EXPECT_EQ(GetTextW(text, 0, "abc"), 0);
}

// A visible dialog-class window of this process: the message box.
struct BoxSearch {
  DWORD process;
  HWND found;
};

BOOL CALLBACK MatchBox(HWND w, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  wchar_t name[32] = {};
  GetClassNameW(w, name, 32);
  if (pid != search->process || !IsWindowVisible(w) || std::wstring(name) != L"#32770") return TRUE;
  search->found = w;
  return FALSE;
}

// Reads the box a person would see, then presses OK on it.
struct BoxReader {
  std::atomic<bool> seen{false};
  std::wstring title, texts;
  bool icon = false;

  void Watch(DWORD process) {
    for (int i = 0; i < 500 && !seen; ++i) {
      Sleep(10);
      BoxSearch search = {process, nullptr};
      EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&search));
      if (search.found == nullptr) continue;
      title = TextOf(search.found);
      for (HWND child = GetWindow(search.found, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        texts += TextOf(child) + L"|";
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && SendMessageW(child, STM_GETICON, 0, 0))
          icon = true;
      }
      seen = true;
      PostMessageW(search.found, WM_COMMAND, IDOK, 0);
    }
  }
};

TEST_F(NativeWindow, MessageBoxIsModalWithTitleLinesAndIcon) {
  BoxReader reader;
  std::thread watcher(&BoxReader::Watch, &reader, GetCurrentProcessId());
  const int result = DoMessageBox(window, 2, CRect(), 1, 1, 4, 5, "Chyba", 21, "Kamera nen\xed p\xf8ipojena", 15,
                                  "P\xf8ipojte kameru", 0, "", piStop);
  watcher.join();
  EXPECT_EQ(result, 1);
  ASSERT_TRUE(reader.seen) << "no message box appeared";
  EXPECT_EQ(reader.title, L"Chyba");
  EXPECT_NE(reader.texts.find(L"Kamera nen\u00ed p\u0159ipojena\nP\u0159ipojte kameru|"), std::wstring::npos)
      << "two lines, the empty third one left out: " << ::testing::PrintToString(reader.texts);
  EXPECT_TRUE(reader.icon);
  EXPECT_TRUE(IsWindowEnabled(hwnd)) << "the owner takes input again";
}

}  // namespace
}  // namespace wintest
