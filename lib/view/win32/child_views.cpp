// Child windows for the views: a painted pane, a push button, a drop-down
// list. Their places are the views' rectangles in the window's interior.
#include <algorithm>
#include <map>

#include "lib/view/controls.h"
#include "lib/view/text_rows.h"
#include "lib/view/win32/live_counts.h"
#include "lib/view/win32/wide_text.h"
#include "lib/view/win32/win32_backend.h"

namespace view::win32 {

namespace {

// Room for the open list below a drop-down's field.
constexpr int kDropDownListHeight = 200;

// The window's views in the toolkit's order, nested views after their parent.
void CollectPeers(const CNodeView* node, std::vector<ViewPeer*>& peers) {
  for (CView* child : node->Children()) {
    if (auto* peer = static_cast<ViewPeer*>(child->peer); peer != nullptr && peer->hwnd != nullptr)
      peers.push_back(peer);
    if (auto* inner = dynamic_cast<const CNodeView*>(child)) CollectPeers(inner, peers);
  }
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
  auto owned = std::make_unique<ViewPeer>();
  ViewPeer* peer = owned.get();
  peer->view = view;
  peer->kind = kind;
  peer->top = window->GetHandle();
  const int id = nextControlId_++;
  peer->hwnd = CreateWindowExW(0, className, L"", style, 0, 0, 0, 0, peer->top,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  if (peer->hwnd == nullptr) return;
  TrackWindow(peer->hwnd);
  SetWindowLongPtrW(peer->hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(peer));
  SendMessageW(peer->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Dialog()), FALSE);
  view->peer = peer;
  views_[view] = std::move(owned);
  Apply(*peer);
  Restack(window);
}

// Windows keeps sibling child windows in creation order from the top, and a
// dialog's tab order follows that order. The toolkit's view order decides
// both: a view registered first lies above the others and takes the focus first.
void Win32Backend::Restack(CWindow* window) {
  std::vector<ViewPeer*> peers;
  CollectPeers(window, peers);
  HWND above = HWND_TOP;
  for (ViewPeer* peer : peers) {
    if (GetWindow(peer->hwnd, GW_HWNDPREV) != (above == HWND_TOP ? nullptr : above))
      SetWindowPos(peer->hwnd, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    above = peer->hwnd;
  }
}

void Win32Backend::TakeSelection(ViewPeer& peer) {
  if (peer.kind != ControlKind::ComboBox || peer.hwnd == nullptr) return;
  auto* box = static_cast<CComboBox*>(peer.view);
  const LRESULT index = SendMessageW(peer.hwnd, CB_GETCURSEL, 0, 0);
  const int shown = index == CB_ERR ? 0 : static_cast<int>(index) + 1;
  if (shown != box->GetSelection()) box->UserSelect(shown);
}

ViewPeer* Win32Backend::ControlOf(HWND hwnd) {
  // Looked up, not read from the window: another window's data is not ours to follow.
  if (hwnd == nullptr) return nullptr;
  for (const auto& [view, peer] : views_)
    if (peer->hwnd == hwnd) return peer.get();
  return nullptr;
}

// The toolkit's focused view, or the window itself, gets the native focus;
// only while the window is the active one, so that nothing is taken from a
// message box or another program. An inactive window gets it back on
// activation.
void Win32Backend::SyncFocus(CWindow* window) {
  HWND top = window->GetHandle();
  if (top == nullptr || GetActiveWindow() != top || IsIconic(top)) return;
  auto* peer = window->FocusedView() != nullptr ? static_cast<ViewPeer*>(window->FocusedView()->peer) : nullptr;
  HWND target = peer != nullptr && peer->hwnd != nullptr ? peer->hwnd : top;
  if (GetFocus() != target) SetFocus(target);
}

void Win32Backend::TakeFocus() {
  HWND focus = GetFocus();
  if (focus == nullptr) return;
  WindowPeer* top = PeerOf(GetAncestor(focus, GA_ROOT));
  if (top == nullptr) return;
  ViewPeer* control = ControlOf(focus);
  if (control == nullptr && focus != top->hwnd) return;  // a part of a control, such as an open list
  CView* view = control != nullptr ? control->view : nullptr;
  if (view != top->window->FocusedView()) top->window->PeerFocused(view);
}

void Win32Backend::TakeSelections(CWindow* window) {
  std::vector<ViewPeer*> peers;
  CollectPeers(window, peers);
  for (ViewPeer* peer : peers) TakeSelection(*peer);
}

// A painted pane has no text of its own for accessibility tools: its window
// text becomes what it draws, line by line.
void Win32Backend::Name(ViewPeer& peer) {
  std::wstring lines;
  const std::vector<std::string> painted = PaintedLines(peer.view);
  for (std::size_t i = 0; i < painted.size(); ++i) lines += (i == 0 ? L"" : L"\r\n") + WideFromCp1250(painted[i]);
  if (lines == peer.caption) return;
  peer.caption = std::move(lines);
  SetWindowTextW(peer.hwnd, peer.caption.c_str());
}

void Win32Backend::DestroyViewPeer(CView* view) {
  auto* peer = static_cast<ViewPeer*>(view->peer);
  if (peer == nullptr) return;
  view->peer = nullptr;
  if (peer->hwnd != nullptr) {
    SetWindowLongPtrW(peer->hwnd, GWLP_USERDATA, 0);
    DestroyWindow(peer->hwnd);
  }
  views_.erase(view);
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
  } else {
    Name(peer);
  }

  const InteriorPoint origin = InteriorOrigin(view);
  int height = view->Rect().height;
  if (peer.kind == ControlKind::ComboBox) {
    // The field takes the view's height; the window's height includes the open list.
    if (height > 6 && height != peer.fieldHeight) {
      SendMessageW(hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - 6);
      peer.fieldHeight = height;
    }
    height += kDropDownListHeight;
  }
  const RECT place = {origin.x, origin.y, origin.x + view->Rect().width, origin.y + height};
  if (!EqualRect(&place, &peer.placed)) {
    SetWindowPos(hwnd, nullptr, place.left, place.top, place.right - place.left, height, SWP_NOZORDER | SWP_NOACTIVATE);
    peer.placed = place;
  }

  const bool visible = ShownInWindow(view);
  const bool styled = (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;  // whatever the parent's state
  if (styled != visible) ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

LRESULT CALLBACK PaneProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* peer = reinterpret_cast<ViewPeer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT paints the whole pane
    case WM_PAINT:
      Win32Backend::Instance().Paint(peer != nullptr ? peer->view : nullptr, hwnd);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace view::win32
