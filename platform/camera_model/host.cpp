#include "platform/camera_model/host.h"

namespace camera_model {

bool AddCamera(Host& host, const CameraSpec& spec, std::string& error) {
  std::vector<std::uint8_t> image(kMemorySize);
  if (!BuildCameraImage(spec.setup, image, error)) return false;
  if (!host.Plug(spec.name, spec.setup.classNumber - 1, spec.pathLen, std::move(image), error)) return false;
  if (spec.power) host.SwitchPower(spec.name, true);
  return true;
}

}  // namespace camera_model
