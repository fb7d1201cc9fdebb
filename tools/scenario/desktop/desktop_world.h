// The Linux desktop program as a world: the program on the simulated
// platform with the FLTK backend, beside the Virtual camera window. Cameras
// are added and their power cut and restored through that window's own
// operations; every other world command (faults, pokes, the registry,
// administrator rights, ...) changes the simulated platform directly, as in
// the simulated world. The user's actions go to the FLTK widgets a person
// clicks, message boxes are FLTK's own, and the screen can be photographed.
// One process plays one script and starts the program once.
#pragma once
#include <string>
#include <vector>

#include "tools/scenario/program/program_world.h"

namespace desktop {
class PanelWindow;
}

namespace scenario {

class DesktopWorld : public ProgramWorld {
 public:
  // shotDir: where `shot` files go (empty: the current folder).
  DesktopWorld(desktop::PanelWindow& panel, std::string shotDir);

  unsigned Abilities() const override {
    return kSimulatedPlatform | kLooksInside | kScreenshots | kPanel | kNotifications;
  }
  void AddCamera(const CameraCommand& command) override;
  void SetPower(const std::string& name, bool on) override;
  void Start(int showCommand) override;
  void Click(Role role) override;
  void Choose(ListRole list, int item, ChooseWay way) override;
  void Command(WindowCommand command) override;
  void HoldBoxes(bool hold) override { hold_ = hold; }
  bool BoxOpen() override;
  void AnswerBox() override;
  void Shot(const std::string& file, const std::string& what) override;
  void Wait(int milliseconds) override { delay_ = milliseconds / 1000.0; }
  void Read(const std::string& name) override;
  std::vector<std::uint32_t> PanelChanges(const std::string& name) override;
  const std::vector<BoxSeen>& Boxes() override;
  bool AwaitChange(bool first, std::string& waited) override;

 protected:
  Place PlaceOf(CView& view) override;  // the FLTK widget's own geometry

 private:
  static void OnTick(void* self);
  void Tick();
  void NoteBox();  // the box open now, once
  void NoBoxInTheWay(const char* what);

  desktop::PanelWindow& panel_;
  std::string shotDir_;
  bool hold_ = false;
  bool busy_ = false;                // a line plays; nested ticks wait
  bool closing_ = false;             // the script is over: the window closes as a person closes it
  double delay_ = 0;                 // before the next line
  double waited_ = 0;                // seconds the program has not settled for
  bool askedWindowManager_ = false;  // a minimize or restore went to the window manager
  double awaitStart_ = 0;            // when the check now waiting first failed
  std::vector<BoxSeen> boxes_;
  const void* lastBox_ = nullptr;
};

}  // namespace scenario
