// The fault matrix: for every camera class, every wizard step, every
// instruction of that step and every fault the simulator can inject, one
// generated scenario that runs the wizard up to that point, injects the fault,
// checks the screen, link, memory and permission the program's rules give,
// then clears the fault, finishes the job and checks that the camera holds
// exactly the choice and that nothing is left open.
#pragma once
#include <string>
#include <vector>

#include "tests/reliability/camera_case.h"

namespace reliability {

enum class Fault {
  // One instruction misbehaves.
  ZeroWrite,
  ZeroRead,
  Status81,
  Status82,
  Status83,
  StatusUnknown,
  ShortReply,
  PowerCutBefore,
  PowerCutAfter,
  // The world around the step.
  IgnoreWrites,
  CommandPipeFails,
  DataPipeFails,
  ThirdPipeFails,
  DeviceOpenFails,
  DriverKeyMissing,
  DriverKeyReadOnly,
  NoAdministrator,
};

constexpr Fault kInstructionFaults[] = {Fault::ZeroWrite,  Fault::ZeroRead,       Fault::Status81,
                                        Fault::Status82,   Fault::Status83,       Fault::StatusUnknown,
                                        Fault::ShortReply, Fault::PowerCutBefore, Fault::PowerCutAfter};
constexpr Fault kStepFaults[] = {Fault::IgnoreWrites,      Fault::CommandPipeFails, Fault::DataPipeFails,
                                 Fault::ThirdPipeFails,    Fault::DeviceOpenFails,  Fault::DriverKeyMissing,
                                 Fault::DriverKeyReadOnly, Fault::NoAdministrator};

const char* FaultName(Fault fault);

struct Combination {
  CameraCase camera;
  int step = 1;          // WizardStep whose action or layout meets the fault
  int instruction = -1;  // index among the step's instructions; -1 for a step fault
  Fault fault = Fault::ZeroWrite;

  std::string Name() const;  // e.g. "class3-step4-ws:A:61-zero-read"
};

// Every combination for the eight classes.
std::vector<Combination> AllCombinations();

// The whole scenario for one combination, self-checking.
std::string BuildScenario(const Combination& combination);

}  // namespace reliability
