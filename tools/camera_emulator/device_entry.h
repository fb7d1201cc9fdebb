// A camera as Windows lists it: a root-enumerated device with one interface
// under the camera's class (the Setup API finds it while its "Linked" value is
// 1), and an object-manager link that makes the interface path, and the path
// followed by "\0", "\1" or "\2", open the emulator's named pipes.
#pragma once
#include <windows.h>

#include <string>

#include "tools/camera_emulator/win_handles.h"

namespace camera_emulator {

class DeviceEntry {
 public:
  DeviceEntry() = default;
  DeviceEntry(const DeviceEntry&) = delete;
  DeviceEntry& operator=(const DeviceEntry&) = delete;

  // Registers instance ROOT\ZELTCAM\NNNN (number) with an interface of
  // interfaceClass named by reference, and makes the link. False with a
  // reason in error.
  bool Create(const GUID& interfaceClass, int number, const std::string& reference, std::string& error);
  // The path SetupDiGetDeviceInterfaceDetailA gives the program.
  const std::string& Path() const { return path_; }
  // The pipe the interface path opens ("\\.\pipe\REFERENCE"); its three
  // pipes add "\0", "\1" and "\2".
  std::wstring PipeName() const;
  // Present (listed by a search for present devices) or not.
  bool SetPresent(bool present);

  // Removes every emulated camera that earlier runs left in the registry.
  static void RemoveAll();

 private:
  std::string path_;
  std::string reference_;
  std::wstring controlKey_;  // ...\DeviceClasses\{class}\##?#...\#reference\Control, under HKLM
  OwnedHandle link_;         // the object-manager link lives while this is open
};

}  // namespace camera_emulator
