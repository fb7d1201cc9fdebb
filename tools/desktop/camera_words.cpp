#include "tools/desktop/camera_words.h"

#include "tools/scenario/cameras.h"

namespace desktop {

CameraWords ParseCameraWords(const scenario::Args& a) {
  const scenario::CameraCommand command = scenario::ParseCameraCommand(a);
  // The panel plugs cameras in with the simulated platform's own device paths.
  if (command.pathLen != 0) throw scenario::ScriptError{"unknown camera option \"pathlen\""};
  return CameraWords{command.name, command.setup, command.power};
}

bool ParseCameraWords(const std::vector<scenario::Word>& words, CameraWords& out, std::string& error) {
  try {
    out = ParseCameraWords(scenario::Args(words, 0));
    return true;
  } catch (const scenario::ScriptError& failure) {
    error = failure.reason;
    return false;
  }
}

}  // namespace desktop
