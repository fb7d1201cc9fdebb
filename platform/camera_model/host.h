// Where cameras are plugged in (the simulated Windows, the camera emulator for
// Wine), and the one way a camera is added to one: its memory image built
// from its setup, plugged in without power, then powered when asked.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/camera_model/image.h"

namespace camera_model {

// A camera to add: what a script's `camera` line or the Virtual camera
// window gives.
struct NewCamera {
  std::string name;
  CameraSetup setup;
  bool power = true;
  std::size_t pathLen = 0;  // its device path padded to this many characters; 0: the natural length
};

class Host {
 public:
  virtual ~Host() = default;
  // A camera under interface class classIndex (0..7), without power, holding
  // image (kMemorySize bytes) with its snapshot taken. False with a reason in
  // error, nothing plugged in, for a name in use or a camera the host cannot take.
  virtual bool Plug(const std::string& name, int classIndex, std::size_t pathLen, std::vector<std::uint8_t> image,
                    std::string& error) = 0;
  // Power cut or return of a camera plugged in; the host tells the program as Windows would.
  virtual void SwitchPower(const std::string& name, bool on) = 0;
};

// False with a reason in error, nothing added, for a setup that cannot be
// encoded or a camera the host refuses.
bool AddCamera(Host& host, const NewCamera& camera, std::string& error);

}  // namespace camera_model
