#include "tools/sim-console/program_view.h"

#include "app/ravik_config.h"
#include "lib/view/headless/headless.h"
#include "lib/view/toolkit.h"
#include "ui/camera_info_pane.h"

namespace scenario {

CRavikConfig* OpenMainWindow() {
  if (PBackground == nullptr) return nullptr;
  for (CWindow* window : PBackground->Windows()) {
    auto* main = dynamic_cast<CRavikConfig*>(window);
    if (main != nullptr && main->IsOpen()) return main;
  }
  return nullptr;
}

template <typename T, typename Pred>
static T* LiveChild(CRavikConfig& window, Pred pred) {
  for (CView* child : window.Children()) {
    auto* view = dynamic_cast<T*>(child);
    if (view != nullptr && !view->IsEnded() && view->IsShown() && pred(*view)) return view;
  }
  return nullptr;
}

CButton* LiveButton(CRavikConfig& window, std::uint32_t command) {
  return LiveChild<CButton>(window, [command](const CButton& b) { return b.Command() == command; });
}

CComboBox* LiveBox(CRavikConfig& window, std::size_t items) {
  return LiveChild<CComboBox>(window, [items](const CComboBox& b) { return b.Items().size() == items; });
}

CCameraInfoPane* LivePane(CRavikConfig& window) {
  return LiveChild<CCameraInfoPane>(window, [](const CCameraInfoPane&) { return true; });
}

std::string FocusRole(CRavikConfig& window) {
  if (view::headless::BoxOpen()) return "box";
  CView* focus = window.IsActive() ? window.FocusedView() : nullptr;
  if (focus == nullptr) return "none";
  if (focus == LiveButton(window, kActionCommand)) return "action";
  if (focus == LiveButton(window, kNextCommand)) return "next";
  if (focus == LiveBox(window, kCountItems)) return "countbox";
  if (focus == LiveBox(window, kWheelItems)) return "wheelbox";
  return "another view";
}

}  // namespace scenario
