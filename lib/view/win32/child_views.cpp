// Child windows for the views: a painted pane, a push button, a drop-down
// list. Their places are the views' rectangles in the window's interior.
#include "lib/view/controls.h"
#include "lib/view/win32/live_counts.h"
#include "lib/view/win32/wide_text.h"
#include "lib/view/win32/win32_backend.h"

namespace view::win32 {

const wchar_t kPaneClass[] = L"ZeltViewPane";

namespace {

// Room for the open list below a drop-down's field.
constexpr int kDropDownListHeight = 200;

// The view's top-left corner in its window's interior (views may nest).
POINT InteriorOrigin(CView* view) {
  POINT origin = {0, 0};
  for (CView* v = view; v != nullptr && dynamic_cast<CWindow*>(v) == nullptr; v = v->Parent()) {
    origin.x += v->Rect().x;
    origin.y += v->Rect().y;
  }
  return origin;
}

// Shown when the view and every parent below the window are shown.
bool Visible(CView* view) {
  for (CView* v = view; v != nullptr && dynamic_cast<CWindow*>(v) == nullptr; v = v->Parent())
    if (!v->IsShown()) return false;
  return true;
}

}  // namespace

void Win32Backend::CreateViewPeer(CView* view, ControlKind kind) {
  CWindow* window = TopWindowOf(view);
  if (window == nullptr || window->GetHandle() == nullptr || view->peer != nullptr) return;
  const wchar_t* className = kPaneClass;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (kind == ControlKind::Button) {
    className = L"BUTTON";
    style |= WS_TABSTOP | BS_PUSHBUTTON;
  } else if (kind == ControlKind::ComboBox) {
    className = L"COMBOBOX";
    style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
  }
  auto* peer = new ViewPeer;
  peer->view = view;
  peer->kind = kind;
  peer->top = window->GetHandle();
  const int id = nextControlId_++;
  peer->hwnd = CreateWindowExW(0, className, L"", style, 0, 0, 0, 0, peer->top,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  if (peer->hwnd == nullptr) {
    delete peer;
    return;
  }
  TrackWindow(peer->hwnd);
  SetWindowLongPtrW(peer->hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(peer));
  SendMessageW(peer->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Dialog()), FALSE);
  view->peer = peer;
  Apply(*peer);
}

void Win32Backend::DestroyViewPeer(CView* view) {
  auto* peer = static_cast<ViewPeer*>(view->peer);
  if (peer == nullptr) return;
  view->peer = nullptr;
  if (peer->hwnd != nullptr) {
    SetWindowLongPtrW(peer->hwnd, GWLP_USERDATA, 0);
    DestroyWindow(peer->hwnd);
  }
  delete peer;
}

void Win32Backend::SyncView(CView* view) {
  auto* peer = static_cast<ViewPeer*>(view->peer);
  if (peer != nullptr && peer->hwnd != nullptr) Apply(*peer);
}

void Win32Backend::Apply(ViewPeer& peer) {
  CView* view = peer.view;
  HWND hwnd = peer.hwnd;
  if (peer.kind == ControlKind::Button) {
    auto* button = static_cast<CButton*>(view);
    const std::wstring caption = WideFromCp1250(button->Caption());
    if (caption != peer.caption) {
      peer.caption = caption;
      SetWindowTextW(hwnd, caption.c_str());
    }
    if ((IsWindowEnabled(hwnd) != FALSE) != button->IsEnabled()) EnableWindow(hwnd, button->IsEnabled());
  } else if (peer.kind == ControlKind::ComboBox) {
    auto* box = static_cast<CComboBox*>(view);
    if (!peer.itemsShown || box->Items() != peer.items) {
      SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
      for (const std::string& item : box->Items())
        SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromCp1250(item).c_str()));
      peer.items = box->Items();
      peer.itemsShown = true;
    }
    const WPARAM index =
        box->GetSelection() > 0 ? static_cast<WPARAM>(box->GetSelection() - 1) : static_cast<WPARAM>(-1);
    if (static_cast<WPARAM>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0)) != index)
      SendMessageW(hwnd, CB_SETCURSEL, index, 0);
  }

  const POINT origin = InteriorOrigin(view);
  int height = view->Rect().height;
  if (peer.kind == ControlKind::ComboBox) {
    // The field takes the view's height; the window's height includes the open list.
    if (height > 6) SendMessageW(hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - 6);
    height += kDropDownListHeight;
  }
  RECT now;
  GetWindowRect(hwnd, &now);
  MapWindowPoints(nullptr, peer.top, reinterpret_cast<POINT*>(&now), 2);
  const int width = view->Rect().width;
  if (now.left != origin.x || now.top != origin.y || now.right - now.left != width ||
      (peer.kind != ControlKind::ComboBox && now.bottom - now.top != height))
    SetWindowPos(hwnd, nullptr, origin.x, origin.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

  const bool visible = Visible(view);
  const bool styled = (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;  // whatever the parent's state
  if (styled != visible) ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

LRESULT CALLBACK PaneProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* peer = reinterpret_cast<ViewPeer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painted whole, off-screen first
    case WM_PAINT:
      Win32Backend::Instance().Paint(peer != nullptr ? peer->view : nullptr, hwnd);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace view::win32
