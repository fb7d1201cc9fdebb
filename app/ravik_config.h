// The main window: the toolkit window on the screen, owner of the camera link,
// holder of the kept camera blocks and host of the wizard.
#pragma once
#include <cstdint>

#include "camera/camera_link.h"
#include "config/wizard.h"
#include "config/wizard_state.h"
#include "lib/view/window.h"

class CRavikConfig : public CWindow, private camera::LinkOwner {
 public:
  CRavikConfig();

  // Rectangle at the saved position, style and title; once, from start-up.
  void InitWindow();

  // The five overrides, in the toolkit's order.
  bool ReceiveMsg(win::UINT message, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT* result) override;
  void CreatePeerWindow() override;
  void DeletePeerWindow() override;
  void Done() override;
  void ReceiveEvent(TEvent* event) override;

  void Connect() { link.Connect(); }
  void Disconnect() { link.Disconnect(); }
  void AdvanceStep() { wizardOps_.AdvanceStep(); }
  void PerformStepAction() { wizardOps_.PerformStepAction(); }

  // xy[0] = x, xy[1] = y. Load leaves a coordinate whose value is missing unchanged.
  static void LoadWindowPosition(std::int32_t* xy);
  // Whether a window of that size at that place would overlap no monitor.
  static bool OnNoMonitor(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
  static void SaveWindowPosition(const std::int32_t* xy);

  // Fields, in this order: WizardStep and the kept blocks; the camera link
  // (NotificationHandle .. LastErrorText); the wizard's views.
  config::WizardState wizard;
  camera::CCameraLink link;
  config::WizardViews views;

 private:
  win::HWND LinkWindowHandle() override { return GetHandle(); }
  void LinkSetTitle(std::string_view title) override { SetTitle(title.size(), title.data()); }
  void LinkClosed() override;

  config::CWizard wizardOps_;
  bool tearingDown_ = false;  // Done/DeletePeerWindow have begun: no wizard reactions any more
};
