// The world: cameras, their power, and the reset between scenarios.
#include "platform/sim/world.h"

#include <stdexcept>

#include "platform/sim/internals.h"

namespace sim {

namespace {
const char* const kDriverServices[] = {"ravikccdI", "ravikccdF", "zeltccdI", "zeltccdF", "zeltccdB", "zeltccdBI"};
const char kDefaultModuleFileName[] = "C:\\Program Files\\Kelvane\\zeltfw\\zeltfw.exe";
}  // namespace

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

std::string UpperCase(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

World& World::Get() {
  static World world;
  return world;
}

World::World() : internals_(std::make_unique<Internals>()) { Reset(); }

World::~World() = default;

win::HINSTANCE World::ProgramInstance() {
  return reinterpret_cast<win::HINSTANCE>(static_cast<std::uintptr_t>(0x00400000));
}

void World::Reset() {
  cameras_.clear();
  internals_->Clear();
  admin = true;
  monitors = {Monitor{0, 0, 1920, 1080}};
  platform = Platform::Nt;
  registry.Clear();
  for (const char* service : kDriverServices)
    registry.CreateKey(std::string("HKLM\\SYSTEM\\CurrentControlSet\\Services\\") + service + "\\Parameters");
  moduleFileName = kDefaultModuleFileName;
  moduleFileNameFails = false;
  versionResources.clear();
  for (int i = 0; i < 8; ++i) {
    classDevsFail[i] = false;
    enumFailForever[i] = false;
    enumFailOnce[i].clear();
  }
  enumCalls = 0;
  advapiMissing = false;
  advapiLacksOpenSCManager = false;
  advapiLacksCloseServiceHandle = false;
  lastFileOpen = FileOpen{};
  scManagerAccess = 0;
  loadLibraryCalls = 0;
  freeLibraryCalls = 0;
  openSCManagerCalls = 0;
  lastNotificationRecord.clear();
  protocolErrors.clear();
  imageLoads.clear();
  // The message sink stays: it belongs to whoever drives the world.
}

namespace {

// The interface path of a camera's device on a USB port: the instance part
// names the port (none for the first).
std::string DevicePath(const Camera& camera) {
  std::string head = "\\\\?\\usb#vid_1d6b&pid_0104#" + camera.name;
  if (camera.port != 0) head += "&" + std::to_string(camera.port);
  const std::string tail = "#" + GuidText(kInterfaceClasses[camera.classIndex]);
  std::size_t natural = head.size() + tail.size();
  // Filler goes before "#{", so the path still ends in the class GUID.
  std::string filler = camera.pathLen > natural ? std::string(camera.pathLen - natural, '0') : std::string();
  return head + filler + tail;
}

}  // namespace

Camera& World::AddCamera(const std::string& name, int classIndex, std::size_t pathLen) {
  if (classIndex < 0 || classIndex >= 8) throw std::out_of_range("camera class index must be 0..7");
  auto camera = std::make_unique<Camera>();
  camera->name = name;
  camera->classIndex = classIndex;
  camera->pathLen = pathLen;
  camera->path = DevicePath(*camera);
  camera->snapshot = camera->memory;
  cameras_.push_back(std::move(camera));
  return *cameras_.back();
}

bool World::Plug(const std::string& name, int classIndex, std::size_t pathLen, std::vector<std::uint8_t> image,
                 std::string& error) {
  if (FindCamera(name) != nullptr) return error = "camera \"" + name + "\" exists already", false;
  if (classIndex < 0 || classIndex >= 8) return error = "class must be 1 to 8", false;
  Camera& camera = AddCamera(name, classIndex, pathLen);
  camera.memory = std::move(image);
  camera.memory.resize(camera_model::kMemorySize);
  camera.Snapshot();
  return true;
}

void World::SwitchPower(const std::string& name, bool on) {
  if (Camera* camera = FindCamera(name)) SetPower(*camera, on);
}

Camera* World::FindCamera(const std::string& name) {
  for (auto& camera : cameras_)
    if (camera->name == name) return camera.get();
  return nullptr;
}

bool World::MoveToPort(camera_model::Camera& camera, int port) {
  for (auto& plugged : cameras_) {
    if (plugged.get() != &camera) continue;
    if (camera.power) return false;
    plugged->port = port;
    plugged->path = DevicePath(*plugged);
    return true;
  }
  return false;
}

void World::SetPower(Camera& camera, bool on) {
  if (camera.power == on) return;
  camera.power = on;
  if (!on) {
    // Everything opened to the camera dies with it and stays dead.
    for (auto& [value, entry] : internals_->handles)
      if (entry.camera == &camera) entry.dead = true;
    internals_->replies.erase(&camera);
  }
  // Collect first: a window may unregister while it handles the message.
  std::vector<win::HWND> targets;
  for (const auto& [value, reg] : internals_->registrations)
    if (reg.allClasses || SameGuid(reg.guid, kInterfaceClasses[camera.classIndex])) targets.push_back(reg.window);
  for (win::HWND window : targets)
    SendDeviceMessage(window, on ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE, InterfaceRecord(camera));
  // Every change of the devices also goes to every top-level window, registered or not, without a record.
  SendDeviceMessage(HWND_BROADCAST, DBT_DEVNODES_CHANGED, {});
}

void World::SendDeviceMessage(win::HWND window, win::WPARAM code, std::vector<std::uint8_t> header) {
  if (sink_) sink_(window, WM_DEVICECHANGE, code, std::move(header));
}

}  // namespace sim
