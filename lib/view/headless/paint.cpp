#include <vector>

#include "lib/view/headless/backend.h"
#include "lib/view/headless/recording_dc.h"
#include "lib/view/loop.h"

namespace view::headless {
namespace {

bool OnScreen(const CView* view) {
  return Headless().views.count(view) != 0 || dynamic_cast<const CWindow*>(view) != nullptr;
}

void PaintTree(CView* view) {
  if (!view->IsShown() || !OnScreen(view)) return;
  if (view->needsPaint) {
    view->needsPaint = false;  // before painting: PaintView may ask for another
    TFont* font = view->gContext != nullptr && view->gContext->font != nullptr ? view->gContext->font : TextFont();
    RecordingDeviceContext dc(font);
    view->PaintView(&dc);
    Headless().paints[view] = std::move(dc.calls);
  }
  auto* node = dynamic_cast<CNodeView*>(view);
  if (node == nullptr) return;
  const std::vector<CView*> children = node->Children();  // a PaintView may change the list
  for (CView* child : children)
    if (child->Parent() == node) PaintTree(child);
}

}  // namespace

void PaintPending() {
  const std::vector<CWindow*> windows = Headless().windows;
  for (CWindow* window : windows)
    if (IsLive(window) && window->IsOpen()) PaintTree(window);
}

const std::vector<std::string>& LastPaint(const CView* view) {
  static const std::vector<std::string> nothing;
  auto it = Headless().paints.find(view);
  return it != Headless().paints.end() ? it->second : nothing;
}

}  // namespace view::headless
