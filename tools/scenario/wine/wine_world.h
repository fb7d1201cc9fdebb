// zeltfw.exe under Wine (or Windows) as a world: cameras emulated for the
// real Setup API and pipes, the prefix's real registry, real input for the
// user's actions, and what a person or a screen reader can read. It cannot
// look inside the program nor set up what only the simulated platform fakes.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "tools/scenario/world.h"

namespace camera_emulator {
class Emulator;
}

namespace scenario {
namespace wine {
class Program;
}

class WineWorld : public World {
 public:
  // A fresh world: no cameras, the registry as at the start. busWait: how
  // long the camera bus driver may take to load (the prefix may be starting).
  WineWorld(std::wstring exe, unsigned long busWait);
  ~WineWorld() override;

  unsigned Abilities() const override;
  // Why the cameras' power cuts and returns cannot reach the program; empty when they can.
  const std::string& BusMissing() const;
  Registry& Reg() override;
  void AddCamera(const CameraCommand& command) override;
  void SetPower(const std::string& name, bool on) override;
  camera_model::Camera* FindCamera(const std::string& name) override;
  int PipesOpen(const std::string& name) override;
  void WithCameras(const std::function<void()>& use) override;
  void FaultsChanged(const std::string& name) override;
  void WorldChanged() override;
  bool AwaitChange(bool first, std::string& waited) override;
  void ModuleVersionChanged(const sim::VersionResourceSpec* resource) override;
  void ModuleFolder(const std::string& utf8) override;

  void Start(int showCommand) override;
  bool Running() override;
  void Click(Role role) override;
  void Choose(ListRole list, int item, ChooseWay way) override;
  void Command(WindowCommand command) override;
  void Move(int x, int y) override;
  void Key(const KeyPress& press) override;
  void HoldBoxes(bool hold) override;
  bool BoxOpen() override;
  void AnswerBox() override;
  void Shot(const std::string& file, const std::string& what) override;

  Screen See() override;
  const std::vector<BoxSeen>& Boxes() override;
  std::optional<int> ExitCode() override;
  std::string StartCounts() override { return Counts(true); }
  std::string Counts() override { return Counts(false); }
  void Describe(std::ostream& out) override;

 private:
  wine::Program& Open();  // the program with its window open, or a failure
  void BusFailed();       // throws when the bus refused a power cut or return
  std::wstring ProgramFile();
  std::string Counts(bool atStart);

  std::wstring exe_;
  std::unique_ptr<camera_emulator::Emulator> cameras_;
  std::unique_ptr<wine::Program> program_;
  unsigned long long awaitStart_ = 0;  // GetTickCount64 at a check's first failure
  std::vector<BoxSeen> boxes_;         // of every run in this script, in order
  std::size_t boxesTaken_ = 0;         // of the current run's, copied into boxes_
  bool holdBoxes_ = false;             // lasts across a new start, as in the simulated world
  // The program file's version resource as the script set it; once changed,
  // the program runs from a copy that carries it.
  std::unique_ptr<sim::VersionResourceSpec> version_;
  bool hasVersion_ = true;
  std::wstring folder_;  // `module folder`: the program runs from a folder of that name
};

}  // namespace scenario
