// One camera's pipes, served by one thread with overlapped I/O: the interface
// path itself (the program opens it as a probe), "\0" (requests), "\1"
// (replies) and "\2" (opened and closed only). Each open takes a listening
// instance and a new one starts listening, as long as the camera has power
// and no open fault stands for that pipe. Requests go through the camera
// model's interpreter, faults included; a zero-byte transfer is made by
// breaking the pipe the program is about to use.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/camera_model/camera.h"
#include "tools/camera_emulator/win_handles.h"

namespace camera_emulator {

class DeviceEntry;

// What the server tells its owner, from the server's thread.
class ServerEvents {
 public:
  virtual ~ServerEvents() = default;
  virtual void PowerChanged(const camera_model::Camera& camera, bool on) = 0;  // after the pipes and the entry followed
};

class PipeServer {
 public:
  // model guards the camera; entry is the camera's Windows side. All outlive the server.
  PipeServer(SRWLOCK& model, camera_model::Camera& camera, DeviceEntry& entry, ServerEvents& events);
  ~PipeServer();  // stops the thread and closes every pipe
  PipeServer(const PipeServer&) = delete;
  PipeServer& operator=(const PipeServer&) = delete;

  bool Start();
  // Each runs on the server's thread and returns when it is done there.
  void PowerOn();
  void PowerOff();
  void FaultsChanged();  // open faults and a zero-write due now
  // Of the command, data and third pipes, how many a client holds open (any thread).
  int PipesHeld() const;

 private:
  enum Kind { kDevice, kCommand, kData, kThird, kKinds };
  struct Instance;
  enum class Order { None, PowerOn, PowerOff, FaultsChanged, Stop };

  static DWORD WINAPI ThreadMain(void* self);
  void Run();
  void Perform(Order order);
  void Send(Order order);
  void Listen();
  void StopListening(Kind kind);
  void Connected(Instance& instance);
  void Completed(Instance& instance);
  void BeginRead(Instance& instance);
  void TakeConnections(Kind kind);
  void HandleRequest(const std::uint8_t* request, std::size_t size);
  bool Reply(const std::vector<std::uint8_t>& reply);
  void Break(Kind kind);
  void BreakAll();
  void CutPower();
  bool ZeroWriteDue();
  bool Allowed(Kind kind);

  SRWLOCK& model_;
  camera_model::Camera& camera_;
  DeviceEntry& entry_;
  ServerEvents& events_;
  std::atomic<int> held_[kKinds] = {};                // connected instances of each kind (they count themselves)
  std::vector<std::unique_ptr<Instance>> instances_;  // listening and connected; the thread's own
  bool powered_ = false;                              // the thread's view of the power
  unsigned long long connections_ = 0;                // opens so far
  OwnedHandle thread_;
  OwnedHandle wake_;  // an order is waiting
  OwnedHandle done_;  // the order was carried out
  Order order_ = Order::None;
};

}  // namespace camera_emulator
