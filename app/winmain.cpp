// Start-up: the toolkit, the background object and the main window; then the
// event loop until the window is closed.
#include "app/about.h"
#include "app/entry.h"
#include "app/ravik_config.h"
#include "lib/view/toolkit.h"
#include "platform/api.h"

namespace {
constexpr unsigned kAboutIconResource = 1001;
constexpr std::uint32_t kViewOptionTopBit = 0x80000000u;
}  // namespace

int WINAPI WinMain(win::HINSTANCE instance, win::HINSTANCE /*previous*/, char* /*commandLine*/, int showCommand) {
  view::InitAllModules();  // the ten module initialisations, stock objects first

  SetAppHandle(instance);
  AboutIcon = InitResIconNum(GetAppHandle(), kAboutIconResource);

  PBackground = new CBackground;
  PBackground->Init(true);

  CRavikConfig* window = new CRavikConfig;
  window->options |= kViewOptionTopBit;
  window->InitWindow();

  win::HANDLE icon32 = win::LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR);
  win::HANDLE icon16 = win::LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR);
  window->SetWinIcon(icon16, icon32);

  PBackground->Register(window);

  if (showCommand == SW_SHOWMINIMIZED || showCommand == SW_MINIMIZE)
    window->Minimize();
  else if (showCommand == SW_SHOWMAXIMIZED)
    window->Maximize();

  PBackground->Select();
  PBackground->Show();
  PBackground->Exec();
  PBackground->Done();
  return 0;
}
