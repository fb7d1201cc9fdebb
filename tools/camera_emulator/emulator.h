// Cameras for zeltfw.exe under Wine: each one a device the real Setup API
// lists under its interface class while it has power, whose interface path
// and three pipes open with the program's own CreateFileA calls, answered by
// the camera model (memory, instructions, faults), as on the simulated platform. A power cut takes the device out of
// the search and breaks its pipes, and then the camera bus driver disables the camera's interface: Windows itself sends
// the removal to the windows registered for its class. Power brings the pipes and the device back first, then the
// interface, and with it the arrival.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/camera_model/camera.h"
#include "platform/camera_model/host.h"
#include "tools/camera_emulator/camera_bus.h"
#include "tools/camera_emulator/pipe_server.h"

namespace camera_emulator {

class DeviceEntry;

class Emulator : public camera_model::Host {
 public:
  // Removes the cameras earlier runs left registered and opens the camera
  // bus, waiting up to busWait milliseconds for its driver to load.
  explicit Emulator(DWORD busWait);
  // Stops every camera, disables their interfaces and removes them from the registry.
  ~Emulator() override;
  Emulator(const Emulator&) = delete;
  Emulator& operator=(const Emulator&) = delete;

  // Why power cuts and returns cannot reach any program (the bus did not
  // open: the step and Windows' error); empty when they can.
  const std::string& BusMissing() const { return busMissing_; }
  // What the bus refused since the last call (a power cut in a pipe thread
  // cannot report it there); empty when nothing.
  std::string TakeBusError();
  // Power cuts and returns so far, the script's and the faults', and the
  // last one ("camera c lost power").
  unsigned PowerChanges() const { return powerChanges_; }
  std::string LastPowerChange();

  // A camera for camera_model::AddCamera: pathLen pads its interface path to
  // that many characters (0: natural length). At most CameraBus::kRootDevices.
  bool Plug(const std::string& name, int classIndex, std::size_t pathLen, std::vector<std::uint8_t> image,
            std::string& error) override;
  bool Has(const std::string& name) const;
  std::string PathOf(const std::string& name) const;
  void SwitchPower(const std::string& name, bool on) override;
  int PipesOpen(const std::string& name) const;  // 0 to 3: the camera's pipes a program holds
  // Call after changing the camera's faults (under Model()): open faults
  // take effect, and a zero-write due now breaks the command pipe.
  void FaultsChanged(const std::string& name);

  // The camera model: hold the lock (Locked) while using a camera.
  SRWLOCK& Model() { return model_; }
  camera_model::Camera* Find(const std::string& name);  // under the lock
  const std::vector<std::string>& Names() const { return names_; }

 private:
  struct Entry;
  Entry* EntryOf(const std::string& name) const;
  // From any thread, once the camera's pipes and entry followed its power.
  void PowerChanged(const Entry& entry, bool on);

  SRWLOCK model_ = SRWLOCK_INIT;  // every entry's camera
  CameraBus bus_;
  std::string busMissing_;
  SRWLOCK changeLock_ = SRWLOCK_INIT;  // the two below
  std::string busError_;
  std::string lastChange_;
  std::atomic<unsigned> powerChanges_{0};
  std::vector<std::unique_ptr<Entry>> entries_;
  std::vector<std::string> names_;
};

}  // namespace camera_emulator
