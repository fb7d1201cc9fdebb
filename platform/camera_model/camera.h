// A virtual camera as the model keeps it: its memory, what it received, and
// the faults it was given. Whoever serves it (the simulated Windows, the
// camera emulator for Wine) names it, switches its power and passes it the
// requests its pipes carry (interpreter.h).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/camera_model/faults.h"
#include "platform/camera_model/image.h"

namespace camera_model {

struct Camera {
  std::string name;
  int classIndex = 0;  // 0..7: the driver's interface class it is listed under; the series follows from it
  std::vector<std::uint8_t> memory = std::vector<std::uint8_t>(kMemorySize);
  std::vector<std::uint8_t> snapshot = std::vector<std::uint8_t>(kMemorySize);
  bool power = false;
  // Instructions received, as "rs:A:10", "rl:3FF80:61", "ws:A:61", "wl:3FFB0:13"
  // (hex address, decimal length), since the last TakeInstructions.
  std::vector<std::string> instructions;
  // The raw bytes of every request received, in the same order, since the last TakeInstructions.
  std::vector<std::vector<std::uint8_t>> requests;
  // The faults given and not struck yet (Inject): one-shot faults of the
  // reply and power cuts, each oldest first, and the lasting ones.
  std::vector<Fault> faults;
  std::vector<Fault> powerCuts;
  bool ignoreWrites = false;
  bool pipeOpenFails[3] = {false, false, false};
  bool deviceOpenFails = false;
  // For fuzzing: sees and may rewrite every reply before the data pipe gives
  // it; false loses the reply (its read moves no bytes). Empty: replies as built.
  std::function<bool(std::vector<std::uint8_t>& reply)> replyHook;

  CameraSeries Series() const { return SeriesOfClass(classIndex + 1); }
  std::vector<std::string> TakeInstructions();
  void Snapshot() { snapshot = memory; }

  // Gives the camera the fault. False with a reason in error, the camera
  // unchanged, for a fault it cannot have (a pipe other than 0 to 2, a count
  // of instructions below 0 or on a lasting fault, a short reply past 63 bytes).
  bool Inject(const Fault& fault, std::string& error);
  void ClearFaults();
  // Its faults by name ("status=0x8F after=2", "ignore-writes", ...): the
  // one-shot ones in the order they strike, then the power cuts, then the lasting ones.
  std::vector<std::string> DescribeFaults() const;
};

}  // namespace camera_model
