// The native window as Windows may leave it: a state the toolkit did not ask
// for, a themed control painting its parent's background, a second monitor.
#include "lib/view/win32/win32_backend.h"
#include "tests/windows/view_fixture.h"

namespace wintest {
namespace {

// Windows gives the first show of the process the start-up show command
// ("Run: Minimized" gives 7) in place of the toolkit's. Played here by a hook
// that minimizes the window as it is being shown.
HWND minimizeOnShow = nullptr;
LRESULT CALLBACK MinimizeOnShow(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->hwnd == minimizeOnShow && call->message == WM_SHOWWINDOW && call->wParam != FALSE) {
    minimizeOnShow = nullptr;
    ShowWindow(call->hwnd, SW_SHOWMINNOACTIVE);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(NativeWindow, AStateWindowsGaveTheWindowAsItShowedStays) {
  window->Hide();
  ASSERT_FALSE(IsWindowVisible(hwnd));
  minimizeOnShow = hwnd;
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, MinimizeOnShow, nullptr, GetCurrentThreadId());
  window->Show();
  UnhookWindowsHookEx(hook);
  Pump();
  ASSERT_TRUE(IsIconic(hwnd));
  EXPECT_TRUE(window->IsMinimized());
  window->SetTitle(8, "Zelt KAF");  // what a camera's arrival does
  Pump();
  EXPECT_TRUE(IsIconic(hwnd)) << "a title change restored the window";
  window->Restore();
  EXPECT_FALSE(IsIconic(hwnd));
}

// A themed control asks its parent to paint behind it, into the control's
// own device context.
TEST_F(NativeWindow, TheWindowPaintsItsBackgroundIntoAnotherDeviceContext) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 272, 188);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const COLORREF other = GetSysColor(COLOR_BTNFACE) ^ 0x00FFFFFF;
  for (UINT message : {static_cast<UINT>(WM_ERASEBKGND), static_cast<UINT>(WM_PRINTCLIENT)}) {
    SetPixel(memory, 10, 170, other);
    SendMessageW(hwnd, message, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(GetPixel(memory, 10, 170), GetSysColor(COLOR_BTNFACE)) << "message " << message;
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

// Maximized, the fixed-size window keeps its place. Windows takes
// ptMaxPosition relative to the work area of the window's own monitor: a
// place on a second monitor is not offset by that monitor's origin again.
TEST(MaximizedPlace, IsTheNormalPlaceRelativeToTheOwnMonitorsWorkArea) {
  const RECT secondWork = {-1280, 56, 0, 1080};  // left of the primary, a task bar above
  const POINT position = view::win32::MaximizedPosition(CRect(-1100, 400, 272, 188), secondWork);
  EXPECT_EQ(position.x, 180);
  EXPECT_EQ(position.y, 344);
  const RECT primaryWork = {60, 0, 1920, 1080};  // a task bar on the left
  const POINT primary = view::win32::MaximizedPosition(CRect(100, 100, 272, 188), primaryWork);
  EXPECT_EQ(primary.x, 40);
  EXPECT_EQ(primary.y, 100);
}

}  // namespace
}  // namespace wintest
