// The top-level window: fixed size for the toolkit's interior size, at the
// toolkit's position (its outer top-left corner), a minimize box and a close
// box; the user's moves, minimizing, closing and device messages go back to
// the toolkit window.
#include <algorithm>
#include <cstring>
#include <vector>

#include "lib/view/loop.h"
#include "lib/view/win32/live_counts.h"
#include "lib/view/win32/wide_text.h"
#include "lib/view/win32/win32_backend.h"

namespace view::win32 {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
// System menu command for the toolkit's About command (below 0xF000, low four bits clear).
constexpr UINT kSysAbout = 0x0110;
// Longest device broadcast record we copy; real ones are a few hundred bytes.
constexpr DWORD kMaxBroadcast = 64 * 1024;

// The window's monitor, as GetMonitorInfoW gives it; the primary's place when it fails.
MONITORINFO MonitorOf(HWND hwnd) {
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &info)) info.rcMonitor = info.rcWork = {};
  return info;
}

// Workspace coordinates (window placement) differ from the screen's by the
// task bar's room at the top or left of the window's monitor.
POINT WorkspaceOffset(HWND hwnd) {
  const MONITORINFO info = MonitorOf(hwnd);
  return POINT{info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
}

// What the window's background is: the dialog colour, also behind a themed
// control that asks its parent to paint there.
void FillBackground(HWND hwnd, HDC dc) {
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

// A copy of what lParam points to, for delivery after this message returns.
// Only the events with bit 0x8000 carry a record, and only theirs does Windows
// copy between processes: another event's lParam is not ours to read.
std::vector<std::uint8_t> CopyBroadcast(WPARAM event, LPARAM lParam) {
  std::vector<std::uint8_t> copy;
  if (lParam == 0 || (event & 0x8000) == 0) return copy;
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
  const DWORD size = std::min(std::max<DWORD>(header->dbch_size, sizeof(DEV_BROADCAST_HDR)), kMaxBroadcast);
  copy.resize(size);
  std::memcpy(copy.data(), header, size);
  return copy;
}

void AddAboutItem(HWND hwnd) {
  HMENU menu = GetSystemMenu(hwnd, FALSE);
  if (menu == nullptr) return;
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kSysAbout, L"O programu\u2026");
}

}  // namespace

POINT MaximizedPosition(const CRect& normal, const RECT& ownWork) {
  return POINT{normal.x - ownWork.left, normal.y - ownWork.top};
}

WindowPeer* Win32Backend::PeerOf(HWND top) {
  for (const auto& peer : windows_)
    if (peer->hwnd == top) return peer.get();
  return nullptr;
}

HWND Win32Backend::CreateWindowPeer(CWindow* window) {
  RECT frame = {0, 0, window->InteriorWidth(), window->InteriorHeight()};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  auto owned = std::make_unique<WindowPeer>();
  WindowPeer* peer = owned.get();
  peer->window = window;
  peer->outer = SIZE{frame.right - frame.left, frame.bottom - frame.top};
  peer->syncing = true;
  const CRect& place = window->RestoreRect();
  HWND hwnd = CreateWindowExW(kExStyle, kWindowClass, WideFromCp1250(window->Title()).c_str(), kStyle, place.x, place.y,
                              peer->outer.cx, peer->outer.cy, nullptr, nullptr, instance_, peer);
  if (hwnd == nullptr) return nullptr;
  TrackWindow(hwnd);
  peer->hwnd = hwnd;
  peer->title = WideFromCp1250(window->Title());
  windows_.push_back(std::move(owned));
  // The frame may differ from what AdjustWindowRectEx assumed (themes,
  // a wrapped caption): make the interior exactly the toolkit's size.
  RECT client;
  GetClientRect(hwnd, &client);
  const int dx = window->InteriorWidth() - client.right;
  const int dy = window->InteriorHeight() - client.bottom;
  if (dx != 0 || dy != 0) {
    peer->outer.cx += dx;
    peer->outer.cy += dy;
    SetWindowPos(hwnd, nullptr, 0, 0, peer->outer.cx, peer->outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  AddAboutItem(hwnd);
  peer->syncing = false;
  SyncWindow(window);
  return hwnd;
}

void Win32Backend::DestroyWindowPeer(CWindow* window) {
  HWND hwnd = window->GetHandle();
  WindowPeer* peer = PeerOf(hwnd);
  if (peer == nullptr) return;
  // Child windows go down with their parent; their peers stay until the toolkit drops them.
  for (CView* child : window->Children())
    if (auto* childPeer = static_cast<ViewPeer*>(child->peer); childPeer != nullptr) childPeer->hwnd = nullptr;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);  // nothing from here on reaches the toolkit window
  DestroyWindow(hwnd);
  windows_.erase(std::remove_if(windows_.begin(), windows_.end(), [peer](const auto& p) { return p.get() == peer; }),
                 windows_.end());
}

void Win32Backend::SyncWindow(CWindow* window) {
  WindowPeer* peer = PeerOf(window->GetHandle());
  if (peer == nullptr) return;
  HWND hwnd = peer->hwnd;
  const std::wstring title = WideFromCp1250(window->Title());
  if (title != peer->title) {
    peer->title = title;
    SetWindowTextW(hwnd, title.c_str());
  }
  if (window->SmallIcon() != peer->icon16) {
    peer->icon16 = window->SmallIcon();
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(peer->icon16));
  }
  if (window->LargeIcon() != peer->icon32) {
    peer->icon32 = window->LargeIcon();
    SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(peer->icon32));
  }
  ApplyPlacement(*peer);
}

void Win32Backend::ApplyPlacement(WindowPeer& peer) {
  CWindow* window = peer.window;
  HWND hwnd = peer.hwnd;
  peer.syncing = true;
  const CRect normal = window->RestoreRect();
  const bool visible = IsWindowVisible(hwnd) != FALSE;
  if (!window->IsShown()) {
    if (visible) ShowWindow(hwnd, SW_HIDE);
  } else if (window->IsMinimized()) {
    if (!visible || !IsIconic(hwnd)) ShowWindow(hwnd, SW_SHOWMINIMIZED);
  } else if (window->IsMaximized()) {
    if (!visible || !IsZoomed(hwnd)) ShowWindow(hwnd, SW_SHOWMAXIMIZED);
  } else if (IsIconic(hwnd) || IsZoomed(hwnd)) {
    ShowWindow(hwnd, SW_RESTORE);
  } else if (!visible) {
    ShowWindow(hwnd, SW_SHOWNORMAL);
  }
  // Where the window is, or comes back to when restored.
  if (IsIconic(hwnd) || IsZoomed(hwnd)) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(hwnd, &placement);
    const POINT offset = WorkspaceOffset(hwnd);
    const LONG x = normal.x - offset.x;
    const LONG y = normal.y - offset.y;
    if (placement.rcNormalPosition.left != x || placement.rcNormalPosition.top != y) {
      placement.rcNormalPosition = RECT{x, y, x + peer.outer.cx, y + peer.outer.cy};
      placement.flags = 0;
      placement.showCmd = IsIconic(hwnd) ? SW_SHOWMINNOACTIVE : SW_SHOWMAXIMIZED;
      SetWindowPlacement(hwnd, &placement);
    }
  } else {
    RECT rect;
    GetWindowRect(hwnd, &rect);
    if (rect.left != normal.x || rect.top != normal.y)
      SetWindowPos(hwnd, nullptr, normal.x, normal.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  peer.syncing = false;
  // The first show of the process takes the start-up show command in place
  // of ours ("Run: Minimized" gives 7): the toolkit learns the state the
  // window is really in, so that the next change does not undo it.
  ReportPlacement(peer);
}

void Win32Backend::ReportPlacement(WindowPeer& peer) {
  if (peer.syncing || !IsWindowVisible(peer.hwnd)) return;
  CWindow* window = peer.window;
  const bool minimized = IsIconic(peer.hwnd) != FALSE;
  const bool maximized = !minimized && IsZoomed(peer.hwnd) != FALSE;
  if (minimized != window->IsMinimized() || maximized != window->IsMaximized())
    window->PeerStateChanged(minimized, maximized);
  if (minimized || maximized) return;
  RECT rect;
  GetWindowRect(peer.hwnd, &rect);
  if (rect.left != window->Rect().x || rect.top != window->Rect().y) window->PeerMoved(rect.left, rect.top);
}

LRESULT CALLBACK TopWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* peer = reinterpret_cast<WindowPeer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (peer == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  // A diagnostic for tests: how many objects of a kind the program holds.
  if (message == LiveObjectsMessage()) return AnswerLiveObjects(wParam);
  CWindow* window = peer->window;
  Win32Backend& backend = Win32Backend::Instance();

  switch (message) {
    case WM_CLOSE:
      window->UserClose();  // the toolkit closes the window through CmdClose
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The process may end when this returns: close now, so the window saves its place.
      if (wParam != FALSE) {
        window->UserClose();
        PumpPending();
      }
      return 0;
    case WM_DEVICECHANGE:
      // Delivered from the loop, never from inside whatever handler runs now.
      PostNativeMessage(hwnd, message, wParam, CopyBroadcast(wParam, lParam));
      return TRUE;
    case WM_MOVE:
    case WM_SIZE:
      backend.ReportPlacement(*peer);
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      if (peer->outer.cx > 0) {
        const POINT size = {peer->outer.cx, peer->outer.cy};
        info->ptMaxSize = size;
        info->ptMinTrackSize = size;
        info->ptMaxTrackSize = size;
        // Maximized, the window keeps its size and its place.
        info->ptMaxPosition = MaximizedPosition(window->RestoreRect(), MonitorOf(hwnd).rcWork);
      }
      return 0;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == kSysAbout) {
        window->UserCommand(kCommandClass, CmdAbout);
        return 0;
      }
      break;
    case WM_COMMAND: {
      // From our controls only; dialog keys may send IDOK/IDCANCEL without one.
      auto* control = reinterpret_cast<HWND>(lParam);
      auto* child =
          control != nullptr ? reinterpret_cast<ViewPeer*>(GetWindowLongPtrW(control, GWLP_USERDATA)) : nullptr;
      if (child == nullptr || child->hwnd != control) break;
      if (child->kind == ControlKind::Button && HIWORD(wParam) == BN_CLICKED) {
        // The lists' shown items are what the command acts on.
        backend.TakeSelections(window);
        static_cast<CButton*>(child->view)->Press();
      } else if (child->kind == ControlKind::ComboBox) {
        switch (HIWORD(wParam)) {
          // Each arrow in an open list is a selection change; Esc or a click
          // elsewhere only closes the list, which keeps the item arrowed to.
          case CBN_SELCHANGE:
          case CBN_SELENDOK:
          case CBN_SELENDCANCEL:
          case CBN_CLOSEUP:
            backend.TakeSelection(*child);
            break;
          default:
            break;
        }
      }
      return 0;
    }
    case WM_ACTIVATE:
      // As a dialog does: the focus goes back to the view that had it (the
      // toolkit keeps it), after Alt+Tab or a message box.
      window->PeerActivated(LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0);
      return 0;
    case WM_SETFOCUS:
      // Given to the window: on to the toolkit's focused view, if any.
      backend.SyncFocus(window);
      return 0;
    case DM_GETDEFID: {
      // Enter presses the focused push button, as in a dialog; with the focus
      // elsewhere there is no default button.
      ViewPeer* focused = backend.ControlOf(GetFocus());
      if (focused != nullptr && focused->kind == ControlKind::Button && IsWindowEnabled(focused->hwnd))
        return MAKELRESULT(GetDlgCtrlID(focused->hwnd), DC_HASDEFID);
      return 0;
    }
    case WM_ERASEBKGND:
      FillBackground(hwnd, reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_PRINTCLIENT:
      FillBackground(hwnd, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_PAINT:
      backend.Paint(window, hwnd);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace view::win32
