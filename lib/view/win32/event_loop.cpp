// The event loop: Windows messages, and after each one whatever the toolkit
// queued. A hidden message-only window receives the wake-ups.
#include "lib/view/loop.h"
#include "lib/view/win32/win32_backend.h"

namespace view::win32 {

namespace {
constexpr UINT kWakeMessage = WM_APP + 1;
}  // namespace

bool Win32Backend::AnyWindowOpen() const {
  if (PBackground == nullptr) return false;
  for (const CWindow* window : PBackground->Windows())
    if (window->IsOpen()) return true;
  return false;
}

void Win32Backend::RunLoop() {
  for (;;) {
    PumpPending();
    if (!AnyWindowOpen()) return;
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) return;  // WM_QUIT, or the queue is gone
    HWND root = msg.hwnd != nullptr ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    const bool ours = root != nullptr && PeerOf(root) != nullptr;
    // Alt+F4 closes the window whichever control has the focus (under Wine a
    // drop-down list keeps every system key to itself).
    if (ours && msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4 && (HIWORD(msg.lParam) & KF_ALTDOWN) != 0) {
      SendMessageW(root, WM_SYSCOMMAND, SC_CLOSE, 0);
      continue;
    }
    // Tab, Enter, Esc and Space between the controls, as in a dialog.
    if (!ours || !IsDialogMessageW(root, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    TakeFocus();
  }
}

void Win32Backend::Wake() {
  // Inside a modal box the wake-up is taken by the box's loop; the queue is
  // pumped when the handler that opened the box returns, so nothing waits.
  if (wakePosted_ || wakeWindow_ == nullptr) return;
  wakePosted_ = PostMessageW(wakeWindow_, kWakeMessage, 0, 0) != FALSE;
}

LRESULT CALLBACK WakeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kWakeMessage) {
    Win32Backend::Instance().WakeReceived();
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace view::win32
