// Cameras for zeltfw.exe under Wine: each one a device the real Setup API
// lists under its interface class while it has power, whose interface path
// and three pipes open with the program's own CreateFileA calls, answered by
// the same camera model as the simulated platform (memory, instructions,
// faults). Power cuts take the device out of the search, break its pipes and
// send the removal message; power brings it back with the arrival message.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/world.h"
#include "tools/windows/camera/notifier.h"
#include "tools/windows/camera/pipe_server.h"

namespace wincam {

class DeviceEntry;

class Emulator : public ServerEvents {
 public:
  // Removes the cameras earlier runs left registered.
  Emulator();
  // Stops every camera and removes them from the registry.
  ~Emulator() override;
  Emulator(const Emulator&) = delete;
  Emulator& operator=(const Emulator&) = delete;

  // A camera under interface class classIndex (0..7), without power, with
  // that memory image. pathLen pads its interface path to that many
  // characters (0: natural length). False with a reason in error.
  bool AddCamera(const std::string& name, int classIndex, std::size_t pathLen, const std::vector<std::uint8_t>& memory,
                 std::string& error);
  bool Has(const std::string& name) const;
  std::string PathOf(const std::string& name) const;
  void SetPower(const std::string& name, bool on);
  // Call after changing the camera's faults (under Model()): open faults
  // take effect, and a zero-write due now breaks the command pipe.
  void FaultsChanged(const std::string& name);

  // The camera model: hold the lock (Locked) while using a camera.
  SRWLOCK& Model() { return model_; }
  sim::Camera* Find(const std::string& name);  // under the lock
  const std::vector<std::string>& Names() const { return names_; }

  // Device messages go to that process's windows only (0: to every process's).
  void SetProgram(DWORD processId) { notifier_.SetTarget(processId); }
  // Waits until every arrival and removal message went out.
  bool WaitForMessages(DWORD milliseconds) { return notifier_.WaitUntilDelivered(milliseconds); }
  std::vector<std::string> TakeMessageLog() { return notifier_.TakeLog(); }

 private:
  struct Entry;
  // ServerEvents, from the pipe threads.
  void DeviceOpened(const sim::Camera& camera) override;
  void PowerChanged(const sim::Camera& camera, bool on) override;
  Entry* EntryOf(const std::string& name) const;

  SRWLOCK model_ = SRWLOCK_INIT;
  sim::World world_;  // the cameras' model only; nothing else of it is used
  Notifier notifier_;
  std::vector<std::unique_ptr<Entry>> entries_;
  std::vector<std::string> names_;
};

}  // namespace wincam
