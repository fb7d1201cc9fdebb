// The simulated world: the program on the simulated platform with the
// headless backend, in this process. It can look inside the program and set
// up every fault the platform knows; the user's actions go to the toolkit as
// the headless backend takes them, keys as Windows handles them.
#pragma once
#include <cstddef>
#include <vector>

#include "tools/scenario/program/program_world.h"

namespace scenario {

class SimWorld : public ProgramWorld {
 public:
  SimWorld();
  ~SimWorld() override;

  unsigned Abilities() const override {
    return kSimulatedPlatform | kLooksInside | kBaseMessages | kStartupShow | kKeys | kMaximize | kRestart |
           kNotifications;
  }
  void Start(int showCommand) override;
  void Click(Role role) override;
  void Choose(ListRole list, int item, ChooseWay way) override;
  void Command(WindowCommand command) override;
  void Key(const KeyPress& press) override;
  void HoldBoxes(bool hold) override;
  bool BoxOpen() override;
  void AnswerBox() override;
  const std::vector<BoxSeen>& Boxes() override;
  std::vector<std::pair<std::uintptr_t, bool>> BaseMessages() override;

 protected:
  std::vector<std::string> PaneLines(CCameraInfoPane& pane) override;
  bool ListOpen(CComboBox* list) override;

 private:
  CRavikConfig& Open();  // the open window; the player made sure it is
  void SyncBoxes();
  bool started_ = false;
  std::vector<BoxSeen> boxes_;  // of every run of the script
  std::size_t logSeen_ = 0;     // of the toolkit's log, copied into boxes_
  std::size_t baseSeen_ = 0;    // of the backend's unhandled messages, reported
};

}  // namespace scenario
