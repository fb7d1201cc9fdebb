// The emulator's side of the camera bus driver (bus/driver.c): it enables a
// camera's interface when the camera gets power and disables it when the
// power goes, and Windows (or Wine) tells the windows registered for that
// class. Also the driver's start, which its installer and a prefix whose
// driver has not loaded yet share.
#pragma once
#include <windows.h>

#include <string>

#include "tools/camera_emulator/win_handles.h"

namespace camera_emulator {

class CameraBus {
 public:
  static constexpr int kRootDevices = 8;  // cameras at once: one root device each

  // Opens the driver's control device and waits, up to milliseconds, until
  // the driver has all its root devices, every interface disabled. False
  // with the step and Windows' error in error.
  bool Open(DWORD milliseconds, std::string& error);
  bool IsOpen() const { return static_cast<bool>(device_); }
  // Root device `device` (the camera's number) enables or disables its
  // interface of classIndex (0..7). False with a reason in error.
  bool SetInterface(int device, int classIndex, bool enable, std::string& error);
  // Disables every interface of the root devices.
  bool DisableAll(std::string& error) {
    DWORD roots = 0;
    return Reset(roots, error);
  }

 private:
  // Disables every interface; roots: the root devices the driver has so far.
  bool Reset(DWORD& roots, std::string& error);

  OwnedHandle device_;
  SRWLOCK lock_ = SRWLOCK_INIT;  // one request at a time: the player's and the pipe threads'
};

// Starts the driver's service and has the plug-and-play manager enumerate its
// root devices again, which loads it for them. False with the step and
// Windows' error in error.
bool StartBusDriver(std::string& error);

// "what failed: error N (Windows' text)" for GetLastError().
std::string StepFailed(const std::string& what);

}  // namespace camera_emulator
