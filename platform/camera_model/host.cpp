#include "platform/camera_model/host.h"

namespace camera_model {

bool AddCamera(Host& host, const NewCamera& camera, std::string& error) {
  std::vector<std::uint8_t> image(kMemorySize);
  if (!BuildCameraImage(camera.setup, image, error)) return false;
  if (!host.Plug(camera.name, camera.setup.classNumber - 1, camera.pathLen, std::move(image), error)) return false;
  if (camera.power) host.SwitchPower(camera.name, true);
  return true;
}

}  // namespace camera_model
