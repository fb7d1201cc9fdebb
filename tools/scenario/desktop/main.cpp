// zeltfw, the Linux desktop build: the program on the simulated Windows with
// the FLTK view backend, beside the "Virtual camera" panel that plays the
// world. The program itself has no options; two environment variables, used
// by our scripts only, belong to this front end (tools/desktop/README.md):
//   ZELTFW_DESKTOP_CAMERA  a camera plugged in at start ("NAME class=N ...")
//   ZELTFW_DESKTOP_SCRIPT  a scenario script to play (scripted mode), with
//   ZELTFW_DESKTOP_SHOTS   the folder its screenshots go to
#include <FL/Fl.H>
#include <FL/Fl_Group.H>

#include <cstdlib>
#include <iostream>

#include "app/entry.h"
#include "lib/view/fltk/fltk.h"
#include "lib/view/loop.h"
#include "platform/sim/world.h"
#include "tools/desktop/display.h"
#include "tools/desktop/panel_window.h"
#include "tools/desktop/program_icon.h"
#include "tools/desktop/user_settings.h"
#include "tools/scenario/cameras.h"
#include "tools/scenario/desktop/desktop_world.h"
#include "tools/scenario/player.h"
#include "tools/simtools/program_version.h"

namespace {

constexpr int kPanelX = 400;
constexpr int kPanelY = 100;

const char* Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0' ? value : nullptr;
}

// Adds the camera that ZELTFW_DESKTOP_CAMERA describes; false when it cannot.
bool AddStartCamera(desktop::PanelWindow& panel, const char* words) {
  std::vector<scenario::Word> split;
  std::string error;
  bool added = scenario::SplitWords(words, split, error);
  try {
    added = added && panel.AddCamera(scenario::ParseCameraCommand(scenario::Args(split, 0)), error);
  } catch (const scenario::ScriptError& refused) {
    error = refused.reason;
    added = false;
  }
  if (!added) {
    std::cerr << "zeltfw: ZELTFW_DESKTOP_CAMERA: " << error << "\n";
    return false;
  }
  return true;
}

}  // namespace

int main() {
  if (!desktop::OpenDisplay()) {
    std::cerr << "zeltfw: no X display (DISPLAY is not set or cannot be opened).\n"
                 "tools/desktop/run-desktop.sh runs a whole wizard under Xvfb instead and saves screenshots.\n";
    return 1;
  }

  sim::World& world = sim::World::Get();
  world.Reset();
  // The saved window position is checked against the display's own monitors.
  world.monitors.clear();
  for (const desktop::ScreenArea& area : desktop::DisplayMonitors())
    world.monitors.push_back(sim::World::Monitor{area.x, area.y, area.width, area.height});
  const sim::VersionResourceSpec version = simtools::ProgramVersionResource();
  simtools::InstallProgramVersion(world, &version);
  const std::string settings = desktop::UserSettingsFile();
  desktop::LoadUserSettings(world, settings);
  // Device messages go to the toolkit's queue; its loop delivers them on this thread.
  world.SetMessageSink([](win::HWND window, win::UINT message, win::WPARAM wParam, std::vector<std::uint8_t> header) {
    view::PostNativeMessage(window, message, wParam, std::move(header));
  });

  view::fltk::Prepare();
  desktop::UseProgramIcon();  // without it the backend draws a filter wheel
  desktop::PanelModel model(world);
  Fl_Group::current(nullptr);
  desktop::PanelWindow panel(kPanelX, kPanelY, model);
  if (const char* camera = Environment("ZELTFW_DESKTOP_CAMERA")) {
    if (!AddStartCamera(panel, camera)) return 2;
  }

  panel.show();
  int status = 0;
  if (const char* path = Environment("ZELTFW_DESKTOP_SCRIPT")) {
    // Scripted: the script starts the program; the settings are saved as the program ends.
    scenario::Script script;
    std::string error;
    if (!scenario::LoadScript(path, script, error)) {
      std::cerr << error << "\n";
      return 2;
    }
    const char* shots = Environment("ZELTFW_DESKTOP_SHOTS");
    scenario::DesktopWorld played(panel, shots != nullptr ? shots : "");
    scenario::Player player(script, played, std::cout, std::cerr);
    const scenario::Outcome outcome = player.Run();
    if (outcome == scenario::Outcome::Passed)
      std::cout << script.name << ": " << player.ExpectationsHeld() << " expectations held\n";
    for (const auto& [line, reason] : player.PassedOver())
      std::cout << "  " << script.name << ":" << line << ": passed over: " << reason << "\n";
    status = outcome == scenario::Outcome::Passed ? 0 : outcome == scenario::Outcome::Failed ? 1 : 2;
  } else {
    char commandLine[] = "";
    status = WinMain(sim::World::ProgramInstance(), nullptr, commandLine, SW_SHOWNORMAL);
  }
  panel.hide();
  desktop::SaveUserSettings(world, settings);
  world.SetMessageSink(nullptr);
  return status;
}
