// What the worlds that run the program in this process on the simulated
// platform share (the simulated world and the Linux desktop program): the
// simulated world's registry and cameras, the program's version resource
// and module, what a person sees read from the toolkit's own objects, and
// what lies inside the program. A backend's world adds the event loop, the
// user's actions and the message boxes.
#pragma once
#include <optional>
#include <string>

#include "tools/scenario/world.h"

class CButton;
class CComboBox;
class CCameraInfoPane;
class CView;

namespace scenario {

class ProgramWorld : public World {
 public:
  // The simulated world as it is, with the program's version resource installed.
  ProgramWorld();

  Registry& Reg() override;
  sim::World* Simulated() override;
  void AddCamera(const CameraCommand& command) override;
  void SetPower(const std::string& name, bool on) override;
  camera_model::Camera* FindCamera(const std::string& name) override;
  int PipesOpen(const std::string& name) override;
  void ModuleVersionChanged(const sim::VersionResourceSpec* resource) override;
  void ModuleFolder(const std::string& utf8) override;
  bool Running() override { return running_; }
  // What reaches the toolkit window alike whatever the backend.
  void Event(std::uint32_t eventClass, std::uint32_t command) override;
  void DeviceMessage(std::uintptr_t code, const std::vector<std::uint8_t>& header) override;
  void Move(int x, int y) override;
  std::optional<int> ExitCode() override { return ended_ ? std::optional<int>(exitCode_) : std::nullopt; }
  Screen See() override;
  Inside LookInside() override;
  std::string StartCounts() override { return startCounts_; }
  std::string Counts() override;
  void Describe(std::ostream& out) override;

 protected:
  // The open main window, or null; only while the program runs.
  CRavikConfig* Window();
  CButton* ButtonOf(Role role);
  CComboBox* ListOf(ListRole list);
  // Runs the program's entry point with the show command; the backend's loop
  // calls PlayNext while the program waits for input. Notes where the window
  // must open and, at the first wait, what the program then held.
  int RunProgram(int showCommand);
  void FirstWait();  // from the backend's idle, before the next line plays
  // The pane's lines for `show`: what it paints, row by row.
  virtual std::vector<std::string> PaneLines(CCameraInfoPane& pane);
  virtual bool ListOpen(CComboBox*) { return false; }
  // Where the view shows in the window's interior: the toolkit's own place,
  // or the backend's where it keeps one of its own.
  virtual Place PlaceOf(CView& view);

  bool running_ = false;
  bool ended_ = false;
  int exitCode_ = 0;
  bool firstWaitSeen_ = false;
  std::string startCounts_;
  int placeToOpen_[2] = {100, 100};
  int placeOpened_[2] = {100, 100};

 private:
  sim::VersionResourceSpec version_;  // the program file's, under the module's file name
  bool hasVersion_ = true;
};

}  // namespace scenario
