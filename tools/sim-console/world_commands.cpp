// The script as the world: cameras, faults, registry, administrator rights,
// the platform and the program's module.
#include <cstdint>

#include "platform/sim/world.h"
#include "res/version_info.h"
#include "tools/common/camera_image.h"
#include "tools/common/program_version.h"
#include "tools/sim-console/session.h"

namespace console {

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
  a.Between(2, 11);
  const std::string& name = a.Text(0);
  if (name.empty() || name.find('=') != std::string::npos) throw ScriptError{"bad camera name \"" + name + "\""};
  auto options = a.Options(1, {"class", "model", "id", "type", "count", "wheel", "flags", "seed", "power", "pathlen"});
  if (options.count("class") == 0) throw ScriptError{"camera needs class=N"};

  simtools::CameraSetup setup;
  setup.classNumber = static_cast<int>(ParseNumberOrThrow(options["class"], 1, 8, "class"));
  setup.model = 1030;
  setup.id = 1000u + static_cast<std::uint32_t>(setup.classNumber);
  setup.typeText = "Virtual " + std::to_string(setup.classNumber);
  setup.count = 5;
  setup.wheel = 1;
  setup.seed = 1;
  if (options.count("model"))
    setup.model = static_cast<std::uint16_t>(ParseNumberOrThrow(options["model"], 0, 0xFFFF, "model"));
  if (options.count("id"))
    setup.id = static_cast<std::uint32_t>(ParseNumberOrThrow(options["id"], 0, 0xFFFFFFFF, "id"));
  if (options.count("type")) setup.typeText = Cp1250OrThrow(options["type"]);
  if (options.count("count"))
    setup.count = static_cast<unsigned>(ParseNumberOrThrow(options["count"], 0, 255, "count"));
  if (options.count("wheel")) setup.wheel = static_cast<int>(ParseNumberOrThrow(options["wheel"], 1, 2, "wheel"));
  if (options.count("flags"))
    setup.flags = static_cast<std::uint8_t>(ParseNumberOrThrow(options["flags"], 0, 0xFF, "flags"));
  if (options.count("seed"))
    setup.seed = static_cast<std::uint64_t>(ParseNumberOrThrow(options["seed"], 0, INT64_MAX, "seed"));
  bool power = true;
  if (options.count("power")) {
    if (options["power"] != "on" && options["power"] != "off") throw ScriptError{"power must be on or off"};
    power = options["power"] == "on";
  }
  std::size_t pathLen = 0;
  if (options.count("pathlen"))
    pathLen = static_cast<std::size_t>(ParseNumberOrThrow(options["pathlen"], 1, 4096, "pathlen"));
  std::string error;
  if (!simtools::CheckCameraSetup(setup, error)) throw ScriptError{error};

  if (checking_) {
    if (!checkedCameras_.insert(name).second) throw ScriptError{"camera \"" + name + "\" exists already"};
    return;
  }
  sim::World& world = sim::World::Get();
  sim::Camera& camera = world.AddCamera(name, setup.classNumber - 1, pathLen);
  if (!simtools::BuildCameraImage(setup, camera.memory, error)) throw ScriptError{error};
  camera.Snapshot();
  if (power) world.SetPower(camera, true);
}

void Session::CmdCameraPower(const Args& a) {
  a.Exactly(3);
  bool on = a.Choice(2, {"on", "off"}) == 0;
  sim::Camera* camera = CameraFor(a.Text(0));
  if (checking_) return;
  sim::World::Get().SetPower(*camera, on);
}

void Session::CmdPoke(const Args& a) {
  a.Between(3, SIZE_MAX);
  auto address = static_cast<std::size_t>(a.Number(1, 0, sim::kCameraMemorySize - 1, "address"));
  std::vector<std::uint8_t> bytes = a.HexFrom(2);
  if (address + bytes.size() > sim::kCameraMemorySize) throw ScriptError{"bytes reach past the camera's memory"};
  sim::Camera* camera = CameraFor(a.Text(0));
  if (checking_) return;
  for (std::size_t i = 0; i < bytes.size(); ++i) camera->memory[address + i] = bytes[i];
}

void Session::CmdSnapshot(const Args& a) {
  a.Exactly(1);
  sim::Camera* camera = CameraFor(a.Text(0));
  if (checking_) return;
  camera->Snapshot();
}

void Session::CmdFault(const Args& a) {
  a.Between(2, 3);
  const std::string& kind = a.Text(1);
  sim::PendingFault fault{sim::FaultKind::ZeroWrite};
  bool oneShot = true;
  int pipe = -1;
  int powerCut = -1;  // 0: before the request reaches the camera, 1: after it ran
  if (kind == "power-cut-before" || kind == "power-cut-after") {
    powerCut = kind == "power-cut-after" ? 1 : 0;
  } else if (kind == "zero-write") {
    fault.kind = sim::FaultKind::ZeroWrite;
  } else if (kind == "zero-read") {
    fault.kind = sim::FaultKind::ZeroRead;
  } else if (kind == "short-reply") {
    fault.kind = sim::FaultKind::ShortReply;
  } else if (kind.rfind("status=", 0) == 0) {
    fault.kind = sim::FaultKind::Status;
    fault.status = static_cast<std::uint8_t>(ParseNumberOrThrow(kind.substr(7), 0, 0xFF, "status"));
  } else if (kind.rfind("open-fail=", 0) == 0) {
    pipe = static_cast<int>(ParseNumberOrThrow(kind.substr(10), 0, 2, "pipe"));
    oneShot = false;
  } else if (kind == "ignore-writes" || kind == "device-open-fail" || kind == "clear") {
    oneShot = false;
  } else {
    throw ScriptError{"unknown fault \"" + kind + "\""};
  }
  if (a.Count() == 3) {
    if (!oneShot) throw ScriptError{"after=K goes only with a one-time fault"};
    auto options = a.Options(2, {"after"});
    fault.after = static_cast<int>(ParseNumberOrThrow(options["after"], 0, 1000000, "after"));
  }
  sim::Camera* camera = CameraFor(a.Text(0));
  if (checking_) return;
  if (powerCut >= 0) {
    camera->powerCuts.push_back(sim::PendingPowerCut{powerCut == 1, fault.after});
  } else if (oneShot) {
    camera->faults.push_back(fault);
  } else if (pipe >= 0) {
    camera->pipeOpenFails[pipe] = true;
  } else if (kind == "ignore-writes") {
    camera->ignoreWrites = true;
  } else if (kind == "device-open-fail") {
    camera->deviceOpenFails = true;
  } else {
    camera->faults.clear();
    camera->powerCuts.clear();
    camera->ignoreWrites = false;
    camera->deviceOpenFails = false;
    for (bool& fails : camera->pipeOpenFails) fails = false;
  }
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

// module version default|none, module version fileversion TEXT, module version
// remove ENTRY, module version translation HEX...|none, module version table
// KEY, module filename fail|ok.
void Session::CmdModule(const Args& a) {
  a.Between(2, SIZE_MAX);
  if (a.Choice(0, {"version", "filename"}) == 1) {
    a.Exactly(2);
    bool fail = a.Choice(1, {"fail", "ok"}) == 0;
    if (checking_) return;
    sim::World::Get().moduleFileNameFails = fail;
    return;
  }
  std::size_t what = a.Choice(1, {"default", "none", "fileversion", "remove", "translation", "table"});
  if (what <= 1) a.Exactly(2);
  if (what == 2 || what == 3 || what == 5) a.Exactly(3);
  std::vector<std::uint8_t> translation;
  bool noTranslation = false;
  if (what == 4) {
    a.Between(3, SIZE_MAX);
    noTranslation = a.Count() == 3 && a.Text(2) == "none" && !a.At(2).quoted;
    if (!noTranslation) translation = a.HexFrom(2, true);
  }
  if (checking_) return;

  auto firstTable = [this]() -> sim::VersionStringTable& {
    if (version_.tables.empty()) version_.tables.push_back({ZELT_VER_TABLE_KEY, {}});
    return version_.tables.front();
  };
  switch (what) {
    case 0:
      version_ = simtools::ProgramVersionResource();
      hasVersion_ = true;
      break;
    case 1:
      hasVersion_ = false;
      break;
    case 2: {
      auto& entries = firstTable().entries;
      bool found = false;
      for (auto& entry : entries)
        if (entry.first == "FileVersion") entry.second = a.Text(2), found = true;
      if (!found) entries.emplace_back("FileVersion", a.Text(2));
      break;
    }
    case 3:
      for (auto& table : version_.tables) {
        auto& entries = table.entries;
        for (auto it = entries.begin(); it != entries.end();) it = it->first == a.Text(2) ? entries.erase(it) : it + 1;
      }
      break;
    case 4:
      version_.hasVarFileInfo = !noTranslation;
      version_.translation = translation;
      break;
    default:
      firstTable().key = a.Text(2);
      break;
  }
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

}  // namespace console
