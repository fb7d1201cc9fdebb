// The five-step configuration wizard of the main window: lays out each step
// (AdvanceStep) and does the work of the step shown (PerformStepAction).
// The window owns the state, the views and the link; the wizard works on them.
#pragma once
#include <string_view>

#include "camera/camera_link.h"
#include "config/wizard_state.h"

class CWindow;

namespace config {

class CWizard {
 public:
  CWizard(CWindow& window, WizardState& state, WizardViews& views, camera::CCameraLink& link);

  void AdvanceStep();
  void PerformStepAction();

 private:
  // The step actions and the screens they lead to.
  void ReadCameraBlocks();
  void ShowCameraData();
  void ShowNotConnected();
  void PowerOffCheck();
  void WriteConfiguration();
  void ReturnToStepOne();
  void LayOutStepOne();
  void LayOutStepTwo();
  void LayOutStepThree();
  void LayOutStepFour();
  void LayOutStepFive();
  void MakeActionButton();
  void ErrorBox(std::string_view line1, std::string_view line2, bool stopIcon);
  void RequestClose();
  // The kept block's camera: remembered at each reading that fills or confirms
  // it; IsKeptDevice is true while the open link leads to that camera.
  void KeepDevicePath();
  bool IsKeptDevice() const;
  std::uint32_t Series() const { return link_.Series(); }

  CWindow& window_;
  WizardState& state_;
  WizardViews& views_;
  camera::CCameraLink& link_;
};

}  // namespace config
