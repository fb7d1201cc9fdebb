// zelt-camera [SCRIPT]: cameras for zeltfw.exe under Wine (or Windows),
// driven by the scenario language's world commands, one a line, from the
// script or from standard input; they live until the input ends. For a
// person trying zeltfw.exe by hand:
//   camera c class=4 count=8       a Zelt KAF camera with power
//   camera c power off|on          cut or restore its power
//   fault c zero-read              the next instruction's reply moves no bytes
//   poke c 0x0F 05 / snapshot c
//   expect memory|diff|instructions c ...
//   show                           each camera's power, path and configuration block
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "platform/camera_model/host.h"
#include "tools/scenario/cameras.h"
#include "tools/scenario/script.h"
#include "tools/windows/camera/emulator.h"
#include "tools/windows/camera/win_handles.h"

namespace {

using scenario::Args;
using scenario::ScriptError;

// How long the camera bus driver may take to load as the prefix starts.
constexpr DWORD kBusWait = 30000;

// One command; false at "quit".
bool Play(wincam::Emulator& cameras, const std::vector<scenario::Word>& words) {
  const std::string& name = words.front().text;
  const Args a(words, 1);
  auto find = [&cameras](const std::string& camera) {
    camera_model::Camera* found = cameras.Find(camera);
    if (found == nullptr) throw ScriptError{"no camera named \"" + camera + "\""};
    return found;
  };
  if (name == "quit") return false;
  if (name == "camera" && a.Count() >= 2 && a.Text(1) == "power") {
    a.Exactly(3);
    const bool on = a.Choice(2, {"on", "off"}) == 0;
    if (!cameras.Has(a.Text(0))) throw ScriptError{"no camera named \"" + a.Text(0) + "\""};
    cameras.SwitchPower(a.Text(0), on);
  } else if (name == "camera") {
    const scenario::CameraCommand command = scenario::ParseCameraCommand(a);
    std::string error;
    if (!camera_model::AddCamera(cameras, command, error)) throw ScriptError{error};
    std::cout << command.name << ": " << cameras.PathOf(command.name) << "\n";
  } else if (name == "fault") {
    bool pipes = false;
    {
      wincam::Locked lock(cameras.Model());
      pipes = scenario::Fault(a, find);
    }
    if (pipes) cameras.FaultsChanged(a.Text(0));
  } else if (name == "poke" || name == "snapshot" || name == "expect") {
    wincam::Locked lock(cameras.Model());
    if (name == "poke") {
      scenario::Poke(a, find);
    } else if (name == "snapshot") {
      a.Exactly(1);
      find(a.Text(0))->Snapshot();
    } else {
      const std::size_t what = a.Choice(0, {"memory", "diff", "instructions"});
      const Args rest = a.Rest(1);
      if (what == 0) scenario::ExpectMemory(rest, find);
      if (what == 1) scenario::ExpectDiff(rest, find);
      if (what == 2) scenario::ExpectInstructions(rest, find);
      std::cout << "holds\n";
    }
  } else if (name == "show") {
    a.Exactly(0);
    wincam::Locked lock(cameras.Model());
    for (const std::string& camera : cameras.Names()) {
      camera_model::Camera& c = *cameras.Find(camera);
      const auto series = c.Series();
      const std::uint32_t at = camera_model::ConfigBlockAddress(series);
      std::cout << camera << ": power " << (c.power ? "on" : "off") << ", " << cameras.PathOf(camera) << "\n  block at "
                << scenario::Hex(at) << ": "
                << scenario::HexBytes(c.memory.data() + at, camera_model::ConfigBlockSize(series)) << "\n";
      for (const std::string& op : c.TakeInstructions()) std::cout << "  received " << op << "\n";
    }
  } else {
    throw ScriptError{"unknown command \"" + name + "\" (camera, fault, poke, snapshot, expect, show, quit)"};
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::ifstream file;
  if (argc > 2 || (argc == 2 && !(file.open(argv[1]), file))) {
    std::cerr << "usage: zelt-camera [SCRIPT] (standard input without one)\n";
    return 2;
  }
  std::istream& in = argc == 2 ? static_cast<std::istream&>(file) : std::cin;
  wincam::Emulator cameras(kBusWait);
  if (!cameras.BusMissing().empty())
    std::cerr << "zelt-camera: power cuts and returns reach no program: " << cameras.BusMissing() << "\n";
  std::string line;
  int number = 0;
  int failures = 0;
  while (std::getline(in, line)) {
    ++number;
    std::vector<scenario::Word> words;
    std::string error;
    if (!scenario::SplitWords(line, words, error)) {
      std::cerr << number << ": " << error << "\n";
      ++failures;
      continue;
    }
    if (words.empty()) continue;
    try {
      if (!Play(cameras, words)) break;
    } catch (const ScriptError& e) {
      std::cerr << number << ": " << e.reason << "\n";
      ++failures;
    } catch (const scenario::ExpectFailure& e) {
      std::cerr << number << ": expected " << e.expected << " got " << e.got << "\n";
      ++failures;
    }
    std::cout.flush();
    if (std::string error = cameras.TakeBusError(); !error.empty()) {
      std::cerr << number << ": " << error << "\n";
      ++failures;
    }
  }
  return failures > 0 ? 1 : 0;
}
