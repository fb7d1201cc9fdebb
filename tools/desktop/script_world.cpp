// The script as the world: every command goes through the "Virtual camera"
// panel's own operations.
#include <iostream>

#include "tools/desktop/camera_words.h"
#include "tools/desktop/hex_rows.h"
#include "tools/desktop/script_runner.h"

namespace desktop {

sim::Camera& ScriptRunner::CameraFor(const std::string& name) {
  if (phase_ == Phase::Checking) {
    if (checkedCameras_.count(name) == 0) throw ScriptError{"no camera named \"" + name + "\""};
    static sim::Camera placeholder;  // never acted on: the check pass returns before
    return placeholder;
  }
  sim::Camera* camera = world_.FindCamera(name);
  if (camera == nullptr) throw ScriptError{"no camera named \"" + name + "\""};
  return *camera;
}

// camera NAME class=N ...  |  camera NAME power on|off
void ScriptRunner::CmdCamera(const Args& a) {
  a.Between(2, SIZE_MAX);
  std::string error;
  if (a.Text(1) == "power") {
    a.Exactly(3);
    const bool on = a.Choice(2, {"on", "off"}) == 0;
    CameraFor(a.Text(0));
    if (phase_ == Phase::Checking) return;
    if (!panel_.SetPower(a.Text(0), on, error)) throw ScriptError{error};
    return;
  }
  const CameraWords camera = ParseCameraWords(a);
  if (phase_ == Phase::Checking) {
    if (!checkedCameras_.insert(camera.name).second) throw ScriptError{"camera \"" + camera.name + "\" exists already"};
    return;
  }
  if (!panel_.AddCamera(camera, error)) throw ScriptError{error};
}

void ScriptRunner::CmdAdmin(const Args& a) {
  a.Exactly(1);
  const bool yes = a.Choice(0, {"yes", "no"}) == 0;
  if (phase_ == Phase::Checking) return;
  panel_.SetAdministrator(yes);
}

// fault NAME KIND [after=K]
void ScriptRunner::CmdFault(const Args& a) {
  a.Between(2, SIZE_MAX);
  if (a.Count() > 3) throw ScriptError{"fault takes NAME KIND [after=K]"};
  int after = 0;
  if (a.Count() == 3) {
    const std::string& option = a.Text(2);
    std::int64_t value = 0;
    if (option.compare(0, 6, "after=") != 0 || !scenario::ParseNumber(option.substr(6), 0, 1000000, value))
      throw ScriptError{"expected after=K, got \"" + option + "\""};
    after = static_cast<int>(value);
  }
  CameraFor(a.Text(0));
  std::string error;
  FaultRequest fault;
  if (!ParseFault(a.Text(1), after, fault, error)) throw ScriptError{error};
  if (phase_ == Phase::Checking) return;
  if (!panel_.InjectFault(a.Text(0), a.Text(1), after, error)) throw ScriptError{error};
}

// read NAME: the panel's Read button; the reading goes to the log as well.
void ScriptRunner::CmdRead(const Args& a) {
  a.Exactly(1);
  CameraFor(a.Text(0));
  if (phase_ == Phase::Checking) return;
  BlockReading reading;
  std::string error;
  if (!panel_.ReadBlock(a.Text(0), reading, error)) throw ScriptError{error};
  std::cout << a.Text(0) << " block:\n";
  for (const HexRow& row : HexRows(reading)) std::cout << "  " << HexRowText(row) << "\n";
}

}  // namespace desktop
