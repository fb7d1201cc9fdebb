// What the "Virtual camera" panel does to the simulated world, apart from its
// widgets: the scripted mode calls the same operations, so a script plays
// exactly what a person can do with the panel.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/sim/world.h"
#include "tools/common/camera_image.h"

namespace desktop {

// A reading of a camera's configuration block (the one of its series).
struct BlockReading {
  std::uint32_t address = 0;
  std::vector<std::uint8_t> bytes;
  std::vector<bool> changed;  // byte i differs from the reading before; all false for a first reading
};

// The driver's write permission for the camera's model code.
struct PermissionState {
  enum class Kind {
    NotUsed,     // an Oskel camera: no permission is involved
    NoService,   // the model code has no driver service key
    KeyMissing,  // the service key is not in the registry
    Absent,      // the key is there without the value
    Present,
  } kind = Kind::NotUsed;
  std::uint16_t model = 0;
  std::string key;          // "HKLM\...\Parameters" when the model has a service
  std::uint32_t value = 0;  // Present: the value as a number (0 when it is not a DWORD)
};
std::string Describe(const PermissionState& state);

// The fault kinds a person can pick, as the scenario language names them;
// "status" stands for "status=0xNN" with the status code the person gives.
// The one-shot kinds (zero-write, zero-read, status, short-reply) take "after".
const std::vector<std::string>& FaultKinds();

class PanelModel {
 public:
  explicit PanelModel(sim::World& world) : world_(world) {}

  // A camera with a memory image built from setup, with power on when asked.
  // False with a reason for a bad setup or a name already used.
  bool AddCamera(const std::string& name, const simtools::CameraSetup& setup, bool powerOn, std::string& error);
  std::string UnusedName() const;  // "camera1", "camera2", ...
  sim::Camera* Find(const std::string& name) { return world_.FindCamera(name); }
  std::vector<std::string> CameraNames() const;

  bool SetPower(const std::string& name, bool on, std::string& error);
  void SetAdministrator(bool yes) { world_.admin = yes; }
  bool Administrator() const { return world_.admin; }

  // kind: one of FaultKinds() with "status=0xNN" for "status", or "clear";
  // after > 0 only for one-shot kinds. Read as the script's `fault` line.
  bool InjectFault(const std::string& name, const std::string& kind, int after, std::string& error);
  std::vector<std::string> DescribeFaults(const std::string& name) const;

  // Takes a reading and marks what changed since this camera's last one.
  bool ReadBlock(const std::string& name, BlockReading& reading, std::string& error);
  PermissionState Permission(const std::string& name) const;

 private:
  const sim::Camera* FindConst(const std::string& name) const;
  sim::World& world_;
  std::map<std::string, std::vector<std::uint8_t>> lastReading_;
};

}  // namespace desktop
