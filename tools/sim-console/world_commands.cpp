// The script as the world: cameras, faults, registry, administrator rights,
// the platform and the program's module.
#include <cstdint>

#include "platform/sim/world.h"
#include "tools/common/camera_image.h"
#include "tools/common/program_version.h"
#include "tools/scenario/cameras.h"
#include "tools/scenario/module_version.h"
#include "tools/sim-console/session.h"

namespace scenario {

sim::Camera* Session::CameraFor(const std::string& name) {
  if (checking_) {
    if (checkedCameras_.count(name) == 0) throw ScriptError{"no camera named \"" + name + "\""};
    return nullptr;
  }
  sim::Camera* camera = sim::World::Get().FindCamera(name);
  if (camera == nullptr) throw ScriptError{"no camera named \"" + name + "\""};
  return camera;
}

void Session::CmdAdmin(const Args& a) {
  a.Exactly(1);
  bool yes = a.Choice(0, {"yes", "no"}) == 0;
  if (checking_) return;
  sim::World::Get().admin = yes;
}

// monitors X Y WIDTH HEIGHT [X Y WIDTH HEIGHT ...] | none: the screen's
// monitors from now on, the first one primary.
void Session::CmdMonitors(const Args& a) {
  a.Between(1, SIZE_MAX);
  std::vector<sim::World::Monitor> monitors;
  if (!(a.Count() == 1 && a.Text(0) == "none" && !a.At(0).quoted)) {
    if (a.Count() % 4 != 0) throw ScriptError{"monitors takes X Y WIDTH HEIGHT for each monitor"};
    for (std::size_t i = 0; i < a.Count(); i += 4)
      monitors.push_back(sim::World::Monitor{static_cast<std::int32_t>(a.Number(i, INT32_MIN, INT32_MAX, "x")),
                                             static_cast<std::int32_t>(a.Number(i + 1, INT32_MIN, INT32_MAX, "y")),
                                             static_cast<std::int32_t>(a.Number(i + 2, 1, INT32_MAX, "width")),
                                             static_cast<std::int32_t>(a.Number(i + 3, 1, INT32_MAX, "height"))});
  }
  if (checking_) return;
  sim::World::Get().monitors = monitors;
}

void Session::CmdPlatform(const Args& a) {
  a.Exactly(1);
  static const sim::World::Platform kPlatforms[] = {sim::World::Platform::Nt, sim::World::Platform::Win9x,
                                                    sim::World::Platform::Other, sim::World::Platform::Fail};
  std::size_t which = a.Choice(0, {"nt", "9x", "other", "fail"});
  if (checking_) return;
  sim::World::Get().platform = kPlatforms[which];
}

void Session::CmdCamera(const Args& a) {
  if (a.Count() >= 2 && a.Text(1) == "power") return CmdCameraPower(a);
  const CameraCommand command = ParseCameraCommand(a);
  if (checking_) {
    if (!checkedCameras_.insert(command.name).second)
      throw ScriptError{"camera \"" + command.name + "\" exists already"};
    return;
  }
  sim::World& world = sim::World::Get();
  sim::Camera& camera = world.AddCamera(command.name, command.setup.classNumber - 1, command.pathLen);
  std::string error;
  if (!simtools::BuildCameraImage(command.setup, camera.memory, error)) throw ScriptError{error};
  camera.Snapshot();
  if (command.power) world.SetPower(camera, true);
}

void Session::CmdCameraPower(const Args& a) {
  a.Exactly(3);
  bool on = a.Choice(2, {"on", "off"}) == 0;
  sim::Camera* camera = CameraFor(a.Text(0));
  if (checking_) return;
  sim::World::Get().SetPower(*camera, on);
}

void Session::CmdPoke(const Args& a) {
  Poke(a, [this](const std::string& name) { return CameraFor(name); });
}

void Session::CmdSnapshot(const Args& a) {
  a.Exactly(1);
  sim::Camera* camera = CameraFor(a.Text(0));
  if (checking_) return;
  camera->Snapshot();
}

void Session::CmdFault(const Args& a) {
  Fault(a, [this](const std::string& name) { return CameraFor(name); });
}

void Session::CmdRegkey(const Args& a) {
  a.Exactly(2);
  std::size_t action = a.Choice(0, {"create", "delete", "readonly", "writable"});
  const std::string& path = a.Text(1);
  if (checking_) return;
  sim::Registry& registry = sim::World::Get().registry;
  switch (action) {
    case 0:
      if (!registry.CreateKey(path)) throw ScriptError{"cannot create key " + Quote(path)};
      break;
    case 1:
      registry.DeleteKey(path);  // a key already absent is what was asked for
      break;
    default:
      if (!registry.KeyExists(path)) throw ScriptError{"no key " + Quote(path)};
      registry.SetReadOnly(path, action == 2);
      break;
  }
}

void Session::CmdReg(const Args& a) {
  a.Between(3, 4);
  const std::string& path = a.Text(0);
  const std::string& name = a.Text(1);
  std::size_t kind = a.Choice(2, {"dword", "string", "delete"});
  sim::Registry::Value value;
  if (kind == 2) {
    a.Exactly(3);
  } else {
    a.Exactly(4);
    if (kind == 0) {
      value = sim::Registry::Value::Dword(static_cast<std::uint32_t>(a.Number(3, INT32_MIN, UINT32_MAX, "dword")));
    } else {
      a.Cp1250(3);  // refuses a character Windows-1250 lacks rather than storing '?'
      value = sim::Registry::Value::String(a.Text(3));
    }
  }
  if (checking_) return;
  sim::Registry& registry = sim::World::Get().registry;
  if (kind == 2) {
    registry.DeleteValue(path, name);  // a value already absent is what was asked for
    return;
  }
  // A value needs its key; scripts need not create it first.
  if (!registry.KeyExists(path) && !registry.CreateKey(path)) throw ScriptError{"cannot create key " + Quote(path)};
  if (!registry.SetValue(path, name, value)) throw ScriptError{"cannot set " + Quote(name) + " under " + Quote(path)};
}

// module version ... (see ModuleVersion), module filename fail|ok.
void Session::CmdModule(const Args& a) {
  a.Between(2, SIZE_MAX);
  const std::size_t what = a.Choice(0, {"version", "filename", "folder"});
  if (what == 2) {
    // module folder NAME: the program file lies in a folder of that name.
    a.Exactly(2);
    const std::string name = a.Cp1250(1);
    if (name.empty() || name.find_first_of("\\/:*?\"<>|") != std::string::npos)
      throw ScriptError{"a folder name, without \\ / : * ? \" < > |"};
    if (checking_) return;
    sim::World& world = sim::World::Get();
    world.versionResources.erase(world.moduleFileName);
    world.moduleFileName = "C:\\Program Files\\Kelvane\\" + name + "\\zeltfw.exe";
    return InstallVersion();
  }
  if (what == 1) {
    a.Exactly(2);
    bool fail = a.Choice(1, {"fail", "ok"}) == 0;
    if (checking_) return;
    sim::World::Get().moduleFileNameFails = fail;
    return;
  }
  if (checking_) {
    sim::VersionResourceSpec scratch;
    bool has = true;
    return ModuleVersion(a, scratch, has);
  }
  ModuleVersion(a, version_, hasVersion_);
  InstallVersion();
}

void Session::CmdDriver(const Args& a) {
  a.Exactly(2);
  int index = static_cast<int>(ParseNumberOrThrow(a.Option(0, "class"), 1, 8, "class")) - 1;
  std::size_t state = a.Choice(1, {"devs-fail", "enum-fail", "ok"});
  if (checking_) return;
  sim::World& world = sim::World::Get();
  world.classDevsFail[index] = state == 0;
  world.enumFailForever[index] = state == 1;
}

void Session::CmdAdvapi(const Args& a) {
  a.Exactly(1);
  std::size_t state = a.Choice(0, {"ok", "missing", "no-openscmanager", "no-closeservicehandle"});
  if (checking_) return;
  sim::World& world = sim::World::Get();
  world.advapiMissing = state == 1;
  world.advapiLacksOpenSCManager = state == 2;
  world.advapiLacksCloseServiceHandle = state == 3;
}

void Session::InstallVersion() {
  simtools::InstallProgramVersion(sim::World::Get(), hasVersion_ ? &version_ : nullptr);
}

}  // namespace scenario
