#include "tools/desktop/panel_model.h"

#include "config/permission.h"
#include "tools/scenario/cameras.h"
#include "tools/scenario/words.h"

namespace desktop {
namespace {

constexpr char kPermissionValue[] = "AllowEEPROMWrite";

simtools::CameraSeries SeriesOf(const sim::Camera& camera) { return simtools::SeriesOfClass(camera.classIndex + 1); }

}  // namespace

const std::vector<std::string>& FaultKinds() {
  static const std::vector<std::string> kinds = {"zero-write",  "zero-read",     "status",
                                                 "short-reply", "ignore-writes", "open-fail=0",
                                                 "open-fail=1", "open-fail=2",   "device-open-fail"};
  return kinds;
}

std::string Describe(const PermissionState& state) {
  switch (state.kind) {
    case PermissionState::Kind::NotUsed:
      return "not used (Oskel)";
    case PermissionState::Kind::NoService:
      return "model " + std::to_string(state.model) + " has no driver service";
    case PermissionState::Kind::KeyMissing:
      return "service key missing";
    case PermissionState::Kind::Absent:
      return "absent";
    case PermissionState::Kind::Present:
      return "present (" + std::to_string(state.value) + ")";
  }
  return "?";
}

bool PanelModel::AddCamera(const std::string& name, const simtools::CameraSetup& setup, bool powerOn,
                           std::string& error) {
  if (name.empty()) {
    error = "the camera needs a name";
    return false;
  }
  if (world_.FindCamera(name) != nullptr) {
    error = "there is a camera \"" + name + "\" already";
    return false;
  }
  // Build first: a setup that cannot be encoded adds nothing.
  std::vector<std::uint8_t> memory(sim::kCameraMemorySize);
  if (!simtools::BuildCameraImage(setup, memory, error)) return false;
  sim::Camera& camera = world_.AddCamera(name, setup.classNumber - 1);
  camera.memory = std::move(memory);
  camera.Snapshot();
  if (powerOn) world_.SetPower(camera, true);
  return true;
}

std::string PanelModel::UnusedName() const {
  for (int n = 1;; ++n) {
    std::string name = "camera" + std::to_string(n);
    if (FindConst(name) == nullptr) return name;
  }
}

std::vector<std::string> PanelModel::CameraNames() const {
  std::vector<std::string> names;
  for (const auto& camera : world_.Cameras()) names.push_back(camera->name);
  return names;
}

const sim::Camera* PanelModel::FindConst(const std::string& name) const {
  for (const auto& camera : world_.Cameras())
    if (camera->name == name) return camera.get();
  return nullptr;
}

bool PanelModel::SetPower(const std::string& name, bool on, std::string& error) {
  sim::Camera* camera = world_.FindCamera(name);
  if (camera == nullptr) {
    error = "no camera \"" + name + "\"";
    return false;
  }
  world_.SetPower(*camera, on);
  return true;
}

bool PanelModel::InjectFault(const std::string& name, const std::string& kind, int after, std::string& error) {
  sim::Camera* camera = world_.FindCamera(name);
  if (camera == nullptr) {
    error = "no camera \"" + name + "\"";
    return false;
  }
  std::vector<scenario::Word> words = {{name, true}, {kind, false}};
  if (after != 0) words.push_back({"after=" + std::to_string(after), false});
  try {
    scenario::Fault(scenario::Args(words, 0)).act(*camera);
  } catch (const scenario::ScriptError& refused) {
    error = refused.reason;
    return false;
  }
  return true;
}

std::vector<std::string> PanelModel::DescribeFaults(const std::string& name) const {
  const sim::Camera* camera = FindConst(name);
  return camera == nullptr ? std::vector<std::string>() : scenario::DescribeFaults(*camera);
}

bool PanelModel::ReadBlock(const std::string& name, BlockReading& reading, std::string& error) {
  const sim::Camera* camera = FindConst(name);
  if (camera == nullptr) {
    error = "no camera \"" + name + "\"";
    return false;
  }
  const simtools::CameraSeries series = SeriesOf(*camera);
  reading.address = simtools::ConfigBlockAddress(series);
  const std::size_t size = simtools::ConfigBlockSize(series);
  if (camera->memory.size() < reading.address + size) {
    error = "the camera's memory is too small for its block";
    return false;
  }
  const auto begin = camera->memory.begin() + reading.address;
  reading.bytes.assign(begin, begin + static_cast<std::ptrdiff_t>(size));
  reading.changed.assign(size, false);
  auto last = lastReading_.find(name);
  if (last != lastReading_.end() && last->second.size() == size)
    for (std::size_t i = 0; i < size; ++i) reading.changed[i] = last->second[i] != reading.bytes[i];
  lastReading_[name] = reading.bytes;
  return true;
}

PermissionState PanelModel::Permission(const std::string& name) const {
  PermissionState state;
  const sim::Camera* camera = FindConst(name);
  if (camera == nullptr || SeriesOf(*camera) == simtools::CameraSeries::Oskel) return state;
  const std::size_t at = simtools::layout::kIdentityAddress + simtools::layout::kModelOffset;
  state.model = static_cast<std::uint16_t>(camera->memory[at] | camera->memory[at + 1] << 8);
  const char* key = config::DriverServiceKey(state.model);
  if (key == nullptr) {
    state.kind = PermissionState::Kind::NoService;
    return state;
  }
  state.key = std::string("HKLM\\") + key;
  if (!world_.registry.KeyExists(state.key)) {
    state.kind = PermissionState::Kind::KeyMissing;
    return state;
  }
  const sim::Registry::Value* value = world_.registry.GetValue(state.key, kPermissionValue);
  if (value == nullptr) {
    state.kind = PermissionState::Kind::Absent;
    return state;
  }
  state.kind = PermissionState::Kind::Present;
  value->AsDword(state.value);
  return state;
}

}  // namespace desktop
