// The script as the world under Wine: emulated cameras and the prefix's
// registry. What Wine cannot be made to do (refuse the administrator check,
// report another Windows, fail the device search) belongs to the simulated
// world.
#include "platform/sim/world.h"

#include "tools/scenario/cameras.h"
#include "tools/scenario/module_version.h"
#include "tools/windows/camera/emulator.h"
#include "tools/windows/camera/win_handles.h"
#include "tools/windows/play/registry.h"
#include "tools/windows/play/session.h"

namespace play {

using scenario::Args;
using scenario::ScriptError;

void Session::CmdAdmin(const Args& a) {
  a.Exactly(1);
  if (a.Choice(0, {"yes", "no"}) == 1) NotHere("admin no (Wine's service manager opens for every user)");
}

void Session::CmdMonitors(const Args& a) {
  a.Between(1, SIZE_MAX);
  NotHere("monitors (the X server's screen is the one monitor there is)");
}

void Session::CmdPlatform(const Args& a) {
  a.Exactly(1);
  if (a.Choice(0, {"nt", "9x", "other", "fail"}) != 0) NotHere("platform " + a.Text(0));
}

void Session::CmdCamera(const Args& a) {
  if (a.Count() >= 2 && a.Text(1) == "power") return CmdCameraPower(a);
  const scenario::CameraCommand command = scenario::ParseCameraCommand(a);
  if (checking_) {
    if (!checkedCameras_.insert(command.name).second)
      throw ScriptError{"camera \"" + command.name + "\" exists already"};
    return;
  }
  std::vector<std::uint8_t> memory(sim::kCameraMemorySize);
  std::string error;
  if (!simtools::BuildCameraImage(command.setup, memory, error) ||
      !cameras_->AddCamera(command.name, command.setup.classNumber - 1, command.pathLen, memory, error))
    throw ScriptError{error};
  if (command.power) cameras_->SetPower(command.name, true);
  SettleIfRunning();
}

void Session::CmdCameraPower(const Args& a) {
  a.Exactly(3);
  const bool on = a.Choice(2, {"on", "off"}) == 0;
  CameraFor(a.Text(0));
  if (checking_) return;
  cameras_->SetPower(a.Text(0), on);
  SettleIfRunning();
}

void Session::CmdPoke(const Args& a) {
  if (checking_) return scenario::Poke(a, [this](const std::string& name) { return CameraFor(name); });
  wincam::Locked lock(cameras_->Model());
  scenario::Poke(a, [this](const std::string& name) { return CameraFor(name); });
}

void Session::CmdSnapshot(const Args& a) {
  a.Exactly(1);
  CameraFor(a.Text(0));
  if (checking_) return;
  wincam::Locked lock(cameras_->Model());
  CameraFor(a.Text(0))->Snapshot();
}

void Session::CmdFault(const Args& a) {
  auto find = [this](const std::string& name) { return CameraFor(name); };
  if (checking_) {
    scenario::Fault(a, find);
    return;
  }
  bool pipes = false;
  {
    wincam::Locked lock(cameras_->Model());
    pipes = scenario::Fault(a, find);
  }
  if (pipes) cameras_->FaultsChanged(a.Text(0));
}

void Session::CmdRegkey(const Args& a) {
  a.Exactly(2);
  const std::size_t action = a.Choice(0, {"create", "delete", "readonly", "writable"});
  HKEY root = nullptr;
  std::wstring subKey;
  if (!SplitRegistryPath(a.Text(1), root, subKey)) throw ScriptError{"not a key of HKLM or HKCU: " + a.Text(1)};
  if (action >= 2) NotHere("regkey " + a.Text(0));
  if (checking_) return;
  if (action == 0 && !CreateKey(a.Text(1))) throw ScriptError{"cannot create key " + scenario::Quote(a.Text(1))};
  if (action == 1) DeleteKey(a.Text(1));
}

void Session::CmdReg(const Args& a) {
  a.Between(3, 4);
  const std::string& path = a.Text(0);
  const std::string& name = a.Text(1);
  const std::size_t kind = a.Choice(2, {"dword", "string", "delete"});
  std::uint32_t number = 0;
  if (kind == 2) {
    a.Exactly(3);
  } else {
    a.Exactly(4);
    if (kind == 0) number = static_cast<std::uint32_t>(a.Number(3, INT32_MIN, UINT32_MAX, "dword"));
    if (kind == 1) a.Cp1250(3);
  }
  HKEY root = nullptr;
  std::wstring subKey;
  if (!SplitRegistryPath(path, root, subKey)) throw ScriptError{"not a key of HKLM or HKCU: " + path};
  if (checking_) return;
  if (kind == 2) return DeleteValue(path, name);
  if (!(kind == 0 ? SetDword(path, name, number) : SetString(path, name, a.Text(3))))
    throw ScriptError{"cannot set " + scenario::Quote(name) + " under " + scenario::Quote(path)};
}

// The version resource goes into a copy of zeltfw.exe, which the next start
// runs; Windows itself cannot be made to fail GetModuleFileNameA.
void Session::CmdModule(const Args& a) {
  a.Between(2, SIZE_MAX);
  const std::size_t what = a.Choice(0, {"version", "filename", "folder"});
  if (what == 2) {
    // module folder NAME: the next start runs a copy of the program in a folder of that name.
    a.Exactly(2);
    const std::string name = a.Cp1250(1);
    if (name.empty() || name.find_first_of("\\/:*?\"<>|") != std::string::npos)
      throw scenario::ScriptError{"a folder name, without \\ / : * ? \" < > |"};
    if (!checking_) folder_ = Wide(a.Text(1));
    return;
  }
  if (what == 1) {
    a.Exactly(2);
    if (a.Choice(1, {"fail", "ok"}) == 0) NotHere("module filename fail");
    return;
  }
  if (checking_) {
    sim::VersionResourceSpec scratch;
    bool has = true;
    return scenario::ModuleVersion(a, scratch, has);
  }
  scenario::ModuleVersion(a, version_, hasVersion_);
  versionChanged_ = true;
}

void Session::CmdDriver(const Args& a) {
  a.Exactly(2);
  scenario::ParseNumberOrThrow(a.Option(0, "class"), 1, 8, "class");
  if (a.Choice(1, {"devs-fail", "enum-fail", "ok"}) != 2) NotHere("driver " + a.Text(1));
}

void Session::CmdAdvapi(const Args& a) {
  a.Exactly(1);
  if (a.Choice(0, {"ok", "missing", "no-openscmanager", "no-closeservicehandle"}) != 0) NotHere("advapi " + a.Text(0));
}

// simulated-only "REASON": the script is played in the simulated world alone.
void Session::CmdSimulatedOnly(const Args& a) {
  a.Exactly(1);
  if (a.Text(0).empty()) throw ScriptError{"simulated-only needs its reason"};
  simulatedOnly_ = a.Text(0);
}

}  // namespace play
