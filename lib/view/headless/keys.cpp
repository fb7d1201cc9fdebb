// Keys as Windows handles them in the program's window: the dialog keys of a
// window with controls, push buttons, drop-down lists, the system menu and a
// message box with its one OK button.
#include <algorithm>

#include "lib/view/controls.h"
#include "lib/view/event.h"
#include "lib/view/headless/backend.h"
#include "lib/view/loop.h"

namespace view::headless {
namespace {

// The system menu's items, in Windows' order.
enum MenuCommand { kRestore, kMove, kSize, kMinimize, kMaximize, kClose, kAbout, kMenuItems };

CWindow* ActiveWindow() {
  for (CWindow* window : Headless().windows)
    if (window->IsActive()) return window;
  return nullptr;
}

HeadlessBackend::ViewPeer* PeerOf(const CView* view) {
  auto it = Headless().views.find(view);
  return it != Headless().views.end() ? it->second.get() : nullptr;
}

CComboBox* AsList(CView* view) {
  return KindOfPeer(view) == ControlKind::ComboBox ? static_cast<CComboBox*>(view) : nullptr;
}

void Choose(CComboBox* list, int step) {
  const int count = static_cast<int>(list->Items().size());
  if (count == 0) return;
  // A list that shows nothing takes its first item with any arrow.
  const int now = list->GetSelection();
  const int item = now == 0 ? 1 : std::clamp(now + step, 1, count);
  if (item != now) list->UserSelect(item);
}

void ChooseFromMenu(CWindow* window, int item) {
  Headless().menu = HeadlessBackend::SystemMenu();
  if (!SystemMenuItems(window)[static_cast<std::size_t>(item)].enabled) return;
  switch (item) {
    case kRestore:
      return window->Restore();
    case kMinimize:
      return window->Minimize();
    case kClose:
      return window->UserClose();
    case kAbout:
      return window->UserCommand(kCommandClass, CmdAbout);
    default:
      return;  // moving with the keys is not played here
  }
}

// In menu mode: with the items shown the arrows move the highlight round
// them, Enter takes the highlighted one (a grey one nothing), Esc hides them;
// with them hidden Esc leaves menu mode and Enter or an arrow shows them again.
void MenuKey(const KeyStroke& stroke) {
  HeadlessBackend::SystemMenu& menu = Headless().menu;
  if (!menu.popup) {
    if (stroke.key == Key::Escape || (stroke.alt && stroke.key == Key::Space)) {
      menu = HeadlessBackend::SystemMenu();
    } else if (!stroke.alt && (stroke.key == Key::Enter || stroke.key == Key::Up || stroke.key == Key::Down)) {
      menu.popup = true;
      menu.item = 0;
    }
    return;
  }
  switch (stroke.key) {
    case Key::Up:
      menu.item = (menu.item + kMenuItems - 1) % kMenuItems;
      return;
    case Key::Down:
      menu.item = (menu.item + 1) % kMenuItems;
      return;
    case Key::Enter:
      return ChooseFromMenu(menu.window, menu.item);
    case Key::Escape:
      menu.popup = false;
      return;
    case Key::Space:
      if (stroke.alt) menu = HeadlessBackend::SystemMenu();
      return;
    default:
      return;
  }
}

// A focused drop-down list, open or closed: the arrows choose; F4, Alt+Up
// and Alt+Down open or close it; Enter and Esc close an open one (a closed
// one has no default button to press), Tab closes it and moves on.
void ListKey(CWindow* window, CComboBox* list, HeadlessBackend::ViewPeer& peer, const KeyStroke& stroke) {
  if (stroke.key == Key::F4 || (stroke.alt && (stroke.key == Key::Up || stroke.key == Key::Down))) {
    peer.dropped = !peer.dropped;
    return;
  }
  switch (stroke.key) {
    case Key::Up:
    case Key::Left:
      return Choose(list, -1);
    case Key::Down:
    case Key::Right:
      return Choose(list, 1);
    case Key::Enter:
    case Key::Escape:
      peer.dropped = false;
      return;
    case Key::Tab:
      peer.dropped = false;
      return window->MoveFocus(stroke.shift);
    case Key::Space:
      if (stroke.alt) {
        peer.dropped = false;
        Headless().menu = HeadlessBackend::SystemMenu{window, true, 0};
      }
      return;
    case Key::F4:  // opened or closed above
      return;
  }
}

}  // namespace

ControlKind KindOfPeer(const CView* view) {
  const HeadlessBackend::ViewPeer* peer = PeerOf(view);
  return peer != nullptr ? peer->kind : ControlKind::Pane;
}

std::vector<MenuItem> SystemMenuItems(const CWindow* window) {
  const bool minimized = window != nullptr && window->IsMinimized();
  const bool maximized = window != nullptr && window->IsMaximized();
  // A fixed-size window with a minimize box and no maximize box.
  return {{"Obnovit", minimized || maximized}, {"Přesunout", !maximized}, {"Velikost", false},
          {"Minimalizovat", !minimized},       {"Maximalizovat", false},  {"Zavřít", true},
          {"O programu\xE2\x80\xA6", true}};
}

bool SystemMenuOpen() { return Headless().menu.window != nullptr; }
bool SystemMenuShown() { return Headless().menu.window != nullptr && Headless().menu.popup; }
int SystemMenuHighlight() { return Headless().menu.item; }

bool ListOpen(const CView* list) {
  const HeadlessBackend::ViewPeer* peer = PeerOf(list);
  return peer != nullptr && peer->dropped;
}

void CloseMenus() {
  Headless().menu = HeadlessBackend::SystemMenu();
  for (auto& [view, peer] : Headless().views) peer->dropped = false;
}

void PressKey(const KeyStroke& stroke) {
  HeadlessBackend& backend = Headless();
  if (backend.boxOpen) {
    // The box's OK button has the focus; Esc and Alt+F4 close a box with OK alone.
    const bool closes =
        (stroke.key == Key::Enter || stroke.key == Key::Space || stroke.key == Key::Escape) && !stroke.alt;
    if (closes || (stroke.key == Key::F4 && stroke.alt)) AnswerBox();
    return;
  }
  if (backend.menu.window != nullptr) {
    if (IsLive(backend.menu.window) && backend.menu.window->IsActive()) return MenuKey(stroke);
    backend.menu = HeadlessBackend::SystemMenu();
  }
  CWindow* window = ActiveWindow();
  if (window == nullptr) return;
  CView* focus = window->FocusedView();
  CComboBox* list = AsList(focus);
  HeadlessBackend::ViewPeer* peer = list != nullptr ? PeerOf(list) : nullptr;
  if (peer != nullptr && peer->dropped) return ListKey(window, list, *peer, stroke);

  if (stroke.alt && stroke.key == Key::F4) return window->UserClose();
  if (stroke.alt && stroke.key == Key::Space) {
    backend.menu = HeadlessBackend::SystemMenu{window, true, 0};
    return;
  }
  if (stroke.key == Key::Tab && !stroke.alt) return window->MoveFocus(stroke.shift);
  if (focus != nullptr && KindOfPeer(focus) == ControlKind::Button && !stroke.alt &&
      (stroke.key == Key::Space || stroke.key == Key::Enter))
    return static_cast<CButton*>(focus)->Press();
  if (list != nullptr && peer != nullptr) ListKey(window, list, *peer, stroke);
}

}  // namespace view::headless
