// Arrival and removal messages for the program's windows. Windows sends
// WM_DEVICECHANGE with a device-interface record to the windows registered
// for the interface's class; Wine sends none for emulated devices, so a
// thread of ours does: to every top-level window of the program's toolkit
// class that holds a notification registration (its live count, which the
// window answers) for the class of the device it opened last, since the
// program registers for the class of the camera it connected.
#pragma once
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "tools/windows/camera/win_handles.h"

namespace wincam {

class Notifier {
 public:
  Notifier();
  ~Notifier();  // delivers nothing more
  Notifier(const Notifier&) = delete;
  Notifier& operator=(const Notifier&) = delete;

  // Only that process's windows get messages (0: every process's).
  void SetTarget(DWORD processId);
  // The program opened a device of that interface class (0..7).
  void DeviceOpened(int classIndex);
  // DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE for the device at path.
  void Queue(WPARAM code, int classIndex, const GUID& interfaceClass, const std::string& path);
  // Waits until every queued message went out (or was found to have no
  // registered window); false on time-out.
  bool WaitUntilDelivered(DWORD milliseconds);
  // One line per message sent or held back, since the last call.
  std::vector<std::string> TakeLog();

 private:
  struct Item {
    WPARAM code;
    int classIndex;
    std::vector<BYTE> record;  // DEV_BROADCAST_DEVICEINTERFACE_W
    std::string path;
  };
  static DWORD WINAPI ThreadMain(void* self);
  void Run();
  void Deliver(const Item& item);

  SRWLOCK lock_ = SRWLOCK_INIT;
  std::deque<Item> queue_;
  int busy_ = 0;          // queued or being delivered
  int openedClass_ = -1;  // of the device the program opened last
  DWORD target_ = 0;
  std::vector<std::string> log_;
  bool stop_ = false;
  OwnedHandle wake_;
  OwnedHandle idle_;  // set while nothing waits for delivery
  OwnedHandle thread_;
};

}  // namespace wincam
