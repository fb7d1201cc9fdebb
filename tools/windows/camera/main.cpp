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

#include "platform/sim/world.h"
#include "tools/common/camera_image.h"
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
    sim::Camera* found = cameras.Find(camera);
    if (found == nullptr) throw ScriptError{"no camera named \"" + camera + "\""};
    return found;
  };
  if (name == "quit") return false;
  if (name == "camera" && a.Count() >= 2 && a.Text(1) == "power") {
    a.Exactly(3);
    const bool on = a.Choice(2, {"on", "off"}) == 0;
    if (!cameras.Has(a.Text(0))) throw ScriptError{"no camera named \"" + a.Text(0) + "\""};
    cameras.SetPower(a.Text(0), on);
  } else if (name == "camera") {
    const scenario::CameraCommand command = scenario::ParseCameraCommand(a);
    std::vector<std::uint8_t> memory(sim::kCameraMemorySize);
    std::string error;
    if (!simtools::BuildCameraImage(command.setup, memory, error) ||
        !cameras.AddCamera(command.name, command.setup.classNumber - 1, command.pathLen, memory, error))
      throw ScriptError{error};
    if (command.power) cameras.SetPower(command.name, true);
    std::cout << command.name << ": " << cameras.PathOf(command.name) << "\n";
  } else if (name == "fault") {
    const scenario::FaultLine fault = scenario::Fault(a);
    {
      wincam::Locked lock(cameras.Model());
      fault.act(*find(a.Text(0)));
    }
    if (fault.pipes) cameras.FaultsChanged(a.Text(0));
  } else if (name == "poke" || name == "snapshot" || name == "expect") {
    const std::size_t what = name != "expect" ? 0 : a.Choice(0, {"memory", "diff", "instructions"});
    const Args on = name == "expect" ? a.Rest(1) : a;
    scenario::CameraAction act = [](sim::Camera& camera) { camera.Snapshot(); };
    if (name == "poke") act = scenario::Poke(a);
    if (name == "snapshot") a.Exactly(1);
    if (name == "expect")
      act = what == 0   ? scenario::ExpectMemory(on)
            : what == 1 ? scenario::ExpectDiff(on)
                        : scenario::ExpectInstructions(on);
    wincam::Locked lock(cameras.Model());
    act(*find(on.Text(0)));
    if (name == "expect") std::cout << "holds\n";
  } else if (name == "show") {
    a.Exactly(0);
    wincam::Locked lock(cameras.Model());
    for (const std::string& camera : cameras.Names()) {
      sim::Camera& c = *cameras.Find(camera);
      const auto series = simtools::SeriesOfClass(c.classIndex + 1);
      const std::uint32_t at = simtools::ConfigBlockAddress(series);
      std::cout << camera << ": power " << (c.power ? "on" : "off") << ", " << c.path << "\n  block at "
                << scenario::Hex(at) << ": "
                << scenario::HexBytes(c.memory.data() + at, simtools::ConfigBlockSize(series)) << "\n";
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
