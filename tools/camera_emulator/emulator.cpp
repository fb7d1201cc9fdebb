#include "tools/camera_emulator/emulator.h"

#include <cstdio>

#include "platform/camera_model/image.h"
#include "platform/camera_model/interface_classes.h"
#include "tools/camera_emulator/device_entry.h"

namespace camera_emulator {
namespace {
// "\\?\root#zeltcam#0000#{class}\" before the reference string.
constexpr std::size_t kPathHead = 61;
}  // namespace

// A camera's pieces; its number is also its root device on the bus.
struct Emulator::Entry : ServerEvents {
  Entry(Emulator& owner, int number) : owner(owner), number(number) {}
  void PowerChanged(const camera_model::Camera&, bool on) override { owner.PowerChanged(*this, on); }

  Emulator& owner;
  int number;
  std::string name;
  camera_model::Camera camera;  // under the emulator's model lock
  DeviceEntry device;
  std::unique_ptr<PipeServer> server;
};

Emulator::Emulator(DWORD busWait) {
  DeviceEntry::RemoveAll();
  bus_.Open(busWait, busMissing_);
}

Emulator::~Emulator() {
  for (auto& entry : entries_) entry->server.reset();  // pipes first, while the model lives
  entries_.clear();
  if (bus_.IsOpen()) {
    std::string ignored;
    bus_.DisableAll(ignored);
  }
  DeviceEntry::RemoveAll();
}

std::string Emulator::TakeBusError() {
  Locked lock(changeLock_);
  std::string taken;
  taken.swap(busError_);
  return taken;
}

bool Emulator::Plug(const std::string& name, int classIndex, std::size_t pathLen, std::vector<std::uint8_t> image,
                    std::string& error) {
  if (Has(name)) return error = "camera \"" + name + "\" exists already", false;
  if (classIndex < 0 || classIndex >= 8) return error = "class must be 1 to 8", false;
  const int number = static_cast<int>(entries_.size());
  if (number >= CameraBus::kRootDevices)
    return error = "at most " + std::to_string(CameraBus::kRootDevices) +
                   " cameras: the camera bus has as many root devices",
           false;
  auto entry = std::make_unique<Entry>(*this, number);
  entry->name = name;
  entry->camera.name = name;
  entry->camera.classIndex = classIndex;
  entry->camera.memory = std::move(image);
  entry->camera.memory.resize(camera_model::kMemorySize);
  entry->camera.Snapshot();
  char reference[16];
  std::snprintf(reference, sizeof(reference), "zcam%02d", number);
  std::string ref = reference;
  if (pathLen > kPathHead + ref.size()) ref += std::string(pathLen - kPathHead - ref.size(), '0');
  if (!entry->device.Create(camera_model::AsGuid<GUID>(camera_model::kInterfaceClasses[classIndex]), number, ref,
                            error))
    return false;
  if (pathLen != 0 && entry->device.Path().size() != pathLen && pathLen > kPathHead + 6) {
    error = "interface path has " + std::to_string(entry->device.Path().size()) + " characters, not " +
            std::to_string(pathLen) + ": " + entry->device.Path();
    return false;
  }
  entry->server = std::make_unique<PipeServer>(model_, entry->camera, entry->device, *entry);
  if (!entry->server->Start()) return error = "cannot start the camera's pipe thread", false;
  entries_.push_back(std::move(entry));
  names_.push_back(name);
  return true;
}

Emulator::Entry* Emulator::EntryOf(const std::string& name) const {
  for (const auto& entry : entries_)
    if (entry->name == name) return entry.get();
  return nullptr;
}

bool Emulator::Has(const std::string& name) const { return EntryOf(name) != nullptr; }

std::string Emulator::PathOf(const std::string& name) const {
  const Entry* entry = EntryOf(name);
  return entry != nullptr ? entry->device.Path() : std::string();
}

int Emulator::PipesOpen(const std::string& name) const {
  const Entry* entry = EntryOf(name);
  return entry != nullptr ? entry->server->PipesHeld() : 0;
}

camera_model::Camera* Emulator::Find(const std::string& name) {
  Entry* entry = EntryOf(name);
  return entry != nullptr ? &entry->camera : nullptr;
}

void Emulator::SwitchPower(const std::string& name, bool on) {
  Entry* entry = EntryOf(name);
  if (entry == nullptr) return;
  if (on)
    entry->server->PowerOn();
  else
    entry->server->PowerOff();
}

void Emulator::FaultsChanged(const std::string& name) {
  if (Entry* entry = EntryOf(name)) entry->server->FaultsChanged();
}

std::string Emulator::LastPowerChange() {
  Locked lock(changeLock_);
  return lastChange_;
}

void Emulator::PowerChanged(const Entry& entry, bool on) {
  std::string error;
  const bool switched =
      !bus_.IsOpen() || bus_.SetInterface(entry.number, entry.camera.classIndex, on, error);  // classIndex is fixed
  Locked lock(changeLock_);
  lastChange_ = "camera " + entry.name + (on ? " regained power" : " lost power");
  ++powerChanges_;
  if (!switched && busError_.empty()) busError_ = error;
}

}  // namespace camera_emulator
