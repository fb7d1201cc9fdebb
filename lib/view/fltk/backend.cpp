#include "lib/view/fltk/backend.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/x.H>

#include "lib/view/controls.h"
#include "lib/view/fltk/fltk.h"
#include "lib/view/fltk/fonts.h"
#include "lib/view/fltk/pane_widget.h"
#include "lib/view/fltk/text.h"
#include "lib/view/fltk/toolkit_window.h"

namespace view::fltk {
namespace {

constexpr int kButtonHeight = 25;
constexpr int kComboBoxHeight = 22;
constexpr uchar kDialogGray = 240;  // the dialog background of current Windows

void OnButton(Fl_Widget*, void* data) {
  if (data != nullptr) static_cast<CButton*>(data)->Press();
}

void OnChoice(Fl_Widget* widget, void* data) {
  if (data == nullptr) return;
  const int index = static_cast<Fl_Choice*>(widget)->value();
  static_cast<CComboBox*>(data)->UserSelect(index >= 0 ? index + 1 : 0);
}

void NoCallback(Fl_Widget*, void*) {}

// Painted views lie under the controls, as a window's painting lies under
// its child windows on Windows: panes go before the first control.
void Insert(ToolkitWindow* window, Fl_Widget* widget, ControlKind kind) {
  if (kind != ControlKind::Pane) {
    window->add(widget);
    return;
  }
  int index = 0;
  while (index < window->children() && dynamic_cast<PaneWidget*>(window->child(index)) != nullptr) ++index;
  window->insert(*widget, index);
}

}  // namespace

FltkBackend& Fltk() {
  static FltkBackend backend;
  return backend;
}

void FltkBackend::Start() { Prepare(); }

void Prepare() {
  static bool prepared = false;
  if (prepared) return;
  prepared = true;
  Fl::lock();  // sets up Fl::awake
  Fl::scheme("gtk+");
  Fl::background(kDialogGray, kDialogGray, kDialogGray);
  UseDialogFaces();
  FL_NORMAL_SIZE = FontSize(nullptr);
  if (fl_display == nullptr) fl_open_display();  // text is measured before the first window shows
}

ToolkitWindow* FltkBackend::WindowOf(const CWindow* window) const {
  auto it = windows.find(window);
  return it != windows.end() ? it->second : nullptr;
}

ToolkitWindow* FltkBackend::TopWindowOf(CView* view) const { return WindowOf(view::TopWindowOf(view)); }

win::HWND FltkBackend::CreateWindowPeer(CWindow* window) {
  if (ToolkitWindow* existing = WindowOf(window)) return reinterpret_cast<win::HWND>(existing);
  Fl_Group::current(nullptr);
  auto* native = new ToolkitWindow(window, window->InteriorWidth(), window->InteriorHeight());
  windows[window] = native;
  native->Sync();
  // The handle is only compared, never dereferenced.
  return reinterpret_cast<win::HWND>(native);
}

void FltkBackend::DestroyWindowPeer(CWindow* window) {
  ToolkitWindow* native = WindowOf(window);
  if (native == nullptr) return;
  windows.erase(window);
  native->Detach();
  // Widgets still there belong to view peers, which delete them themselves.
  while (native->children() > 0) native->remove(native->child(native->children() - 1));
  Fl::delete_widget(native);
}

void FltkBackend::SyncWindow(CWindow* window) {
  if (ToolkitWindow* native = WindowOf(window)) native->Sync();
}

// The focused view's widget takes FLTK's focus, or the window itself when
// no view has it; only in a shown window.
void FltkBackend::SyncFocus(CWindow* window) {
  ToolkitWindow* native = WindowOf(window);
  if (native == nullptr || !native->shown()) return;
  CView* focus = window->FocusedView();
  auto it = focus != nullptr ? views.find(focus) : views.end();
  if (it != views.end() && it->second->widget != nullptr)
    it->second->widget->take_focus();
  else
    Fl::focus(native);
}

void FltkBackend::TakeFocus() {
  Fl_Widget* focus = Fl::focus();
  if (focus == nullptr) return;
  for (const auto& [window, native] : windows) {
    if (focus == native) {
      if (window->FocusedView() != nullptr) const_cast<CWindow*>(window)->PeerFocused(nullptr);
      return;
    }
  }
  for (const auto& [view, peer] : views) {
    if (peer->widget != focus) continue;
    CWindow* window = view::TopWindowOf(view);
    if (window != nullptr && window->FocusedView() != view) window->PeerFocused(const_cast<CView*>(view));
    return;
  }
}

void FltkBackend::CreateViewPeer(CView* view, ControlKind kind) {
  ToolkitWindow* window = TopWindowOf(view);
  if (window == nullptr || views.count(view) != 0) return;
  Fl_Group::current(nullptr);
  auto peer = std::make_unique<ViewPeer>();
  peer->kind = kind;
  switch (kind) {
    case ControlKind::Button: {
      auto* button = new Fl_Button(0, 0, 0, 0);
      button->callback(OnButton, view);
      button->labelsize(FontSize(TextFont()));
      peer->widget = button;
      break;
    }
    case ControlKind::ComboBox: {
      auto* choice = new Fl_Choice(0, 0, 0, 0);
      choice->callback(OnChoice, view);
      choice->textsize(FontSize(TextFont()));
      choice->when(FL_WHEN_CHANGED);
      peer->widget = choice;
      break;
    }
    case ControlKind::Pane:
      peer->widget = new PaneWidget(view);
      break;
  }
  peer->widget->hide();
  Insert(window, peer->widget, kind);
  view->peer = peer.get();
  views[view] = std::move(peer);
  SyncView(view);
}

void FltkBackend::DestroyViewPeer(CView* view) {
  auto it = views.find(view);
  if (it == views.end()) return;
  Fl_Widget* widget = it->second->widget;
  views.erase(it);
  view->peer = nullptr;
  if (widget == nullptr) return;
  widget->callback(NoCallback, nullptr);
  if (auto* pane = dynamic_cast<PaneWidget*>(widget)) pane->Detach();
  if (Fl_Group* parent = widget->parent()) {
    parent->remove(widget);
    parent->redraw();
  }
  Fl::delete_widget(widget);
}

void FltkBackend::SyncView(CView* view) {
  auto it = views.find(view);
  if (it == views.end()) return;
  ViewPeer& peer = *it->second;
  Fl_Widget* widget = peer.widget;
  const auto [x, y] = view::InteriorOrigin(view);
  const CRect& rect = view->Rect();
  if (widget->x() != x || widget->y() != y || widget->w() != rect.width || widget->h() != rect.height)
    widget->resize(x, y, rect.width, rect.height);
  if (peer.kind == ControlKind::Button) SyncButton(view, peer);
  if (peer.kind == ControlKind::ComboBox) SyncComboBox(view, peer);
  if (view->IsShown() && !widget->visible()) widget->show();
  if (!view->IsShown() && widget->visible()) widget->hide();
  // Panes and controls overlap at step 4: repaint the whole window so the
  // controls stay on top of the pane's painting.
  if (Fl_Window* window = widget->window()) window->redraw();
}

void FltkBackend::SyncButton(CView* view, ViewPeer& peer) {
  auto* button = static_cast<CButton*>(view);
  Fl_Widget* widget = peer.widget;
  if (!peer.captionSet || peer.caption != button->Caption()) {
    peer.caption = button->Caption();
    peer.captionSet = true;
    widget->copy_label(LabelText(Utf8Of(peer.caption.size(), peer.caption.c_str())).c_str());
  }
  if (button->IsEnabled() && !widget->active()) widget->activate();
  if (!button->IsEnabled() && widget->active()) widget->deactivate();
}

void FltkBackend::SyncComboBox(CView* view, ViewPeer& peer) {
  auto* combo = static_cast<CComboBox*>(view);
  auto* choice = static_cast<Fl_Choice*>(peer.widget);
  if (peer.items != combo->Items()) {
    peer.items = combo->Items();
    choice->clear();
    for (const std::string& item : peer.items) choice->add(MenuItemText(Utf8Of(item.size(), item.c_str())).c_str());
  }
  const int selection = combo->GetSelection();
  if (selection >= 1 && static_cast<std::size_t>(selection) <= peer.items.size()) {
    if (choice->value() != selection - 1) choice->value(selection - 1);
  } else if (choice->value() != -1) {
    choice->value(static_cast<const Fl_Menu_Item*>(nullptr));
  }
}

void FltkBackend::Invalidate(CView* view) {
  if (auto* window = dynamic_cast<CWindow*>(view)) {
    if (ToolkitWindow* native = WindowOf(window)) native->redraw();
    return;
  }
  auto it = views.find(view);
  if (it == views.end()) return;
  if (Fl_Window* window = it->second->widget->window())
    window->redraw();
  else
    it->second->widget->redraw();
}

int FltkBackend::TextWidth(TFont* font, std::size_t len, const char* text) { return MeasureText(font, len, text); }

int FltkBackend::StandardHeight(ControlKind kind) { return StandardHeightOf(kind, kButtonHeight, kComboBoxHeight); }

void FltkBackend::Wake() { Fl::awake(); }

}  // namespace view::fltk

namespace view {
Backend& TheBackend() { return fltk::Fltk(); }

}  // namespace view
