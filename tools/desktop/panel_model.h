// What the "Virtual camera" panel does to the simulated world, apart from its
// widgets: the camera model's own calls. The scripted mode calls the same
// operations, so a script plays exactly what a person can do with the panel.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/camera_model/camera.h"
#include "platform/camera_model/host.h"
#include "platform/sim/world.h"

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

// The faults a person can pick, in the window's order. The status fault
// takes the status code the person gives; the one-shot ones (zero-write,
// zero-read, status, short-reply) take a count of instructions first.
const std::vector<camera_model::Fault>& FaultMenu();
std::string MenuLabel(const camera_model::Fault& fault);  // its name; "status" for the status fault

// A camera of the class from the window's fields, as text: empty ones keep
// the class's defaults; typeText in UTF-8. False with a reason in error.
struct SetupFields {
  int classNumber = 4;
  std::string model, id, typeText;
  int count = 5;
  int wheel = 1;
};
bool SetupOf(const SetupFields& fields, camera_model::CameraSetup& setup, std::string& error);

class PanelModel {
 public:
  explicit PanelModel(sim::World& world) : world_(world) {}

  // A camera with a memory image built from its setup, with power on when
  // asked. False with a reason for a bad setup or a name already used.
  bool AddCamera(const camera_model::NewCamera& camera, std::string& error);
  std::string UnusedName() const;  // "camera1", "camera2", ...
  camera_model::Camera* Find(const std::string& name) { return world_.FindCamera(name); }
  std::vector<std::string> CameraNames() const;

  bool SetPower(const std::string& name, bool on, std::string& error);
  void SetAdministrator(bool yes) { world_.admin = yes; }
  bool Administrator() const { return world_.admin; }

  bool InjectFault(const std::string& name, const camera_model::Fault& fault, std::string& error);
  bool ClearFaults(const std::string& name, std::string& error);
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
