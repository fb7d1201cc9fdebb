// The "Virtual camera" window: the world a person cannot reach on Linux.
// Add cameras, cut and restore their power, switch administrator rights,
// inject faults, read the camera's configuration block as hex (bytes changed
// since the last reading marked) and see the driver's write permission.
// The public operations are what the widgets do; the scripted mode calls them
// too, so a script acts through the panel as a person would.
#pragma once
#include <FL/Fl_Double_Window.H>

#include <string>

#include "tools/desktop/panel_model.h"

class Fl_Box;
class Fl_Check_Button;
class Fl_Choice;
class Fl_Input;
class Fl_Int_Input;
class Fl_Light_Button;
class Fl_Spinner;

namespace desktop {

class HexView;

class PanelWindow : public Fl_Double_Window {
 public:
  PanelWindow(int x, int y, PanelModel& model);
  ~PanelWindow() override;

  // The window plugs cameras in with the simulated platform's own paths.
  bool AddCamera(const camera_model::NewCamera& camera, std::string& error);
  bool SetPower(const std::string& name, bool on, std::string& error);
  void SetAdministrator(bool yes);
  bool InjectFault(const std::string& name, const camera_model::Fault& fault, std::string& error);
  bool ClearFaults(const std::string& name, std::string& error);
  // Reads the camera's block, selects the camera and shows the reading.
  bool ReadBlock(const std::string& name, BlockReading& reading, std::string& error);
  const BlockReading* LastReading() const { return hasReading_ ? &reading_ : nullptr; }
  const std::string& LastReadingOf() const { return readingOf_; }
  PanelModel& Model() { return model_; }

  // Shows the world as it is now: cameras, power, rights, faults, permission.
  void Refresh();

 private:
  static void OnAdd(Fl_Widget*, void* data);
  static void OnCamera(Fl_Widget*, void* data);
  static void OnPower(Fl_Widget*, void* data);
  static void OnAdmin(Fl_Widget*, void* data);
  static void OnInject(Fl_Widget*, void* data);
  static void OnClear(Fl_Widget*, void* data);
  static void OnRead(Fl_Widget*, void* data);
  static void OnTimer(void* data);
  void Report(const std::string& text);
  std::string Selected() const;
  void Select(const std::string& name);

  PanelModel& model_;
  BlockReading reading_;
  bool hasReading_ = false;
  std::string readingOf_;
  std::string status_;  // label storage

  Fl_Choice* classChoice_;
  Fl_Int_Input* modelInput_;
  Fl_Int_Input* idInput_;
  Fl_Input* typeInput_;
  Fl_Spinner* countInput_;
  Fl_Choice* wheelChoice_;
  Fl_Check_Button* powerOnAdd_;
  Fl_Choice* cameraChoice_;
  Fl_Light_Button* powerButton_;
  Fl_Check_Button* adminButton_;
  Fl_Choice* faultChoice_;
  Fl_Input* statusInput_;
  Fl_Spinner* afterInput_;
  Fl_Box* faultsText_;
  Fl_Box* blockTitle_;
  HexView* hexView_;
  Fl_Box* permissionText_;
  Fl_Box* keyText_;
  Fl_Box* statusText_;
  std::string faultsLabel_, blockLabel_, permissionLabel_, keyLabel_;
};

}  // namespace desktop
