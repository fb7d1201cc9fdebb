#include "tools/desktop/panel_model.h"

#include "config/permission.h"
#include "core/cp1250.h"
#include "platform/camera_model/numbers.h"

namespace desktop {
namespace {

constexpr char kPermissionValue[] = "AllowEEPROMWrite";

// A number field; empty keeps what value holds.
template <typename T>
bool ReadField(const std::string& text, std::int64_t max, const char* what, T& value, std::string& error) {
  std::int64_t number = 0;
  if (text.empty()) return true;
  if (!camera_model::ParseNumber(text, 0, max, what, number, error)) return false;
  value = static_cast<T>(number);
  return true;
}

}  // namespace

const std::vector<camera_model::Fault>& FaultMenu() {
  using camera_model::Fault;
  using camera_model::FaultKind;
  static const std::vector<Fault> menu = {Fault{FaultKind::ZeroWrite},
                                          Fault{FaultKind::ZeroRead},
                                          Fault{FaultKind::Status},
                                          Fault{FaultKind::ShortReply},
                                          Fault{FaultKind::IgnoreWrites},
                                          Fault{FaultKind::OpenFail, 0, 0, 0, 0},
                                          Fault{FaultKind::OpenFail, 0, 0, 0, 1},
                                          Fault{FaultKind::OpenFail, 0, 0, 0, 2},
                                          Fault{FaultKind::DeviceOpenFail}};
  return menu;
}

std::string MenuLabel(const camera_model::Fault& fault) {
  return fault.kind == camera_model::FaultKind::Status ? "status" : camera_model::Describe(fault);
}

bool SetupOf(const SetupFields& fields, camera_model::CameraSetup& setup, std::string& error) {
  camera_model::CameraSetup read = camera_model::DefaultSetup(fields.classNumber);
  read.count = static_cast<unsigned>(fields.count < 0 ? 0 : fields.count);
  read.wheel = fields.wheel;
  if (!ReadField(fields.model, 0xFFFF, "model", read.model, error) ||
      !ReadField(fields.id, 0xFFFFFFFF, "id", read.id, error))
    return false;
  if (!fields.typeText.empty() && !core::Cp1250FromUtf8(fields.typeText, read.typeText)) {
    error = "text has a character Windows-1250 lacks: \"" + fields.typeText + "\"";
    return false;
  }
  if (!camera_model::CheckCameraSetup(read, error)) return false;
  setup = read;
  return true;
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

bool PanelModel::AddCamera(const camera_model::NewCamera& camera, std::string& error) {
  if (camera.name.empty()) {
    error = "the camera needs a name";
    return false;
  }
  return camera_model::AddCamera(world_, camera, error);
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

bool PanelModel::InjectFault(const std::string& name, const camera_model::Fault& fault, std::string& error) {
  camera_model::Camera* camera = world_.FindCamera(name);
  if (camera == nullptr) {
    error = "no camera \"" + name + "\"";
    return false;
  }
  return camera->Inject(fault, error);
}

bool PanelModel::ClearFaults(const std::string& name, std::string& error) {
  camera_model::Camera* camera = world_.FindCamera(name);
  if (camera == nullptr) {
    error = "no camera \"" + name + "\"";
    return false;
  }
  camera->ClearFaults();
  return true;
}

std::vector<std::string> PanelModel::DescribeFaults(const std::string& name) const {
  const sim::Camera* camera = FindConst(name);
  return camera == nullptr ? std::vector<std::string>() : camera->DescribeFaults();
}

bool PanelModel::ReadBlock(const std::string& name, BlockReading& reading, std::string& error) {
  const sim::Camera* camera = FindConst(name);
  if (camera == nullptr) {
    error = "no camera \"" + name + "\"";
    return false;
  }
  const camera_model::CameraSeries series = camera->Series();
  reading.address = camera_model::ConfigBlockAddress(series);
  const std::size_t size = camera_model::ConfigBlockSize(series);
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
  if (camera == nullptr || camera->Series() == camera_model::CameraSeries::Oskel) return state;
  const std::size_t at = camera_model::layout::kIdentityAddress + camera_model::layout::kModelOffset;
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
