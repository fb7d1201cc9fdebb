#include "tools/desktop/camera_words.h"

#include "tools/sim-console/camera_commands.h"

namespace desktop {

CameraWords ParseCameraWords(const console::Args& a) {
  const console::CameraCommand command = console::ParseCameraCommand(a);
  // The panel plugs cameras in with the simulated platform's own device paths.
  if (command.pathLen != 0) throw console::ScriptError{"unknown camera option \"pathlen\""};
  return CameraWords{command.name, command.setup, command.power};
}

bool ParseCameraWords(const std::vector<simtools::Word>& words, CameraWords& out, std::string& error) {
  try {
    out = ParseCameraWords(console::Args(words, 0));
    return true;
  } catch (const console::ScriptError& failure) {
    error = failure.reason;
    return false;
  }
}

}  // namespace desktop
