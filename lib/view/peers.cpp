// Which native part a view gets, and making and dropping them.
#include "core/text.h"
#include "lib/view/internal.h"

namespace view::detail {

std::string CutText(std::size_t len, const char* text) {
  if (text == nullptr) return std::string();
  return std::string(text, core::LengthA(len, text));
}

CWindow* TopWindow(CView* view) {
  for (CView* v = view; v != nullptr; v = v->Parent())
    if (auto* window = dynamic_cast<CWindow*>(v)) return window;
  return nullptr;
}

ControlKind KindOf(const CView* view) {
  if (dynamic_cast<const CButton*>(view) != nullptr) return ControlKind::Button;
  if (dynamic_cast<const CComboBox*>(view) != nullptr) return ControlKind::ComboBox;
  return ControlKind::Pane;
}

void CreatePeers(CView* view) {
  if (view == nullptr || view->IsEnded() || dynamic_cast<CWindow*>(view) != nullptr) return;
  if (view->peer == nullptr) {
    TheBackend().CreateViewPeer(view, KindOf(view));
    if (view->IsShown()) view->InvalidateView();
  }
  if (auto* node = dynamic_cast<CNodeView*>(view))
    for (CView* child : node->Children()) CreatePeers(child);
}

void DestroyPeers(CView* view) {
  if (view == nullptr || dynamic_cast<CWindow*>(view) != nullptr) return;
  if (auto* node = dynamic_cast<CNodeView*>(view))
    for (CView* child : node->Children()) DestroyPeers(child);
  if (view->peer != nullptr) {
    TheBackend().DestroyViewPeer(view);
    view->peer = nullptr;
  }
}

}  // namespace view::detail
