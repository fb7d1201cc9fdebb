// The module initialisation, the application handle and the icons the toolkit owns.
#include "lib/view/modules.h"

#include <memory>
#include <vector>

#include "lib/view/internal.h"

TIcon* piInfo32 = nullptr;
TIcon* piStop = nullptr;

namespace {

win::HINSTANCE appHandle = nullptr;
bool backendStarted = false;  // once per process: backends register their native classes
std::vector<std::unique_ptr<TIcon>> icons;

TIcon* MakeIcon(IconKind kind, win::HINSTANCE module, unsigned number) {
  for (const auto& icon : icons)
    if (icon->kind == kind && icon->module == module && icon->resourceNumber == number) return icon.get();
  auto icon = std::make_unique<TIcon>();
  icon->kind = kind;
  icon->module = module;
  icon->resourceNumber = number;
  icons.push_back(std::move(icon));
  return icons.back().get();
}

void Init_StockObjects() {
  if (!backendStarted) {
    backendStarted = true;
    view::TheBackend().Start();
  }
  piInfo32 = MakeIcon(IconKind::Information, nullptr, 0);
  piStop = MakeIcon(IconKind::Stop, nullptr, 0);
}

void Init_Graphics() { view::detail::SetUpContexts(); }

void Init_Fonts() {
  view::detail::MakeFonts();
  view::detail::SetUpContexts();  // the contexts carry the text font
}

}  // namespace

// The ten modules in their order. Only the first three keep state here; the
// other seven do their work on first use and have nothing to set up.
void view::InitAllModules() {
  Init_StockObjects();
  Init_Graphics();
  Init_Fonts();
  // core, views, tools, controls, windows, dialogs, tab panes
}

void SetAppHandle(win::HINSTANCE instance) { appHandle = instance; }

win::HINSTANCE GetAppHandle() { return appHandle; }

TIcon* InitResIconNum(win::HINSTANCE module, unsigned number) { return MakeIcon(IconKind::Resource, module, number); }

void view::detail::ResetModules() {
  piInfo32 = nullptr;
  piStop = nullptr;
  appHandle = nullptr;
  icons.clear();
}
