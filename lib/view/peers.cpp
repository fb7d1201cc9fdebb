// Which native part a view gets, and making and dropping them.
#include "core/text.h"
#include "lib/view/internal.h"

namespace view::detail {

std::string CutText(std::size_t len, const char* text) {
  if (text == nullptr) return std::string();
  return std::string(text, core::LengthA(len, text));
}

}  // namespace view::detail

namespace view {

CWindow* TopWindowOf(const CView* view) {
  for (const CView* v = view; v != nullptr; v = v->Parent())
    if (auto* window = dynamic_cast<const CWindow*>(v)) return const_cast<CWindow*>(window);
  return nullptr;
}

InteriorPoint InteriorOrigin(const CView* view) {
  InteriorPoint origin;
  for (const CView* v = view; v != nullptr && dynamic_cast<const CWindow*>(v) == nullptr; v = v->Parent()) {
    origin.x += v->Rect().x;
    origin.y += v->Rect().y;
  }
  return origin;
}

bool ShownInWindow(const CView* view) {
  for (const CView* v = view; v != nullptr && dynamic_cast<const CWindow*>(v) == nullptr; v = v->Parent())
    if (!v->IsShown()) return false;
  return true;
}

}  // namespace view

namespace view::detail {

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
