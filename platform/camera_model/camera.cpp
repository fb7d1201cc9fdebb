#include "platform/camera_model/camera.h"

namespace camera_model {

std::vector<std::string> Camera::TakeInstructions() {
  std::vector<std::string> taken;
  taken.swap(instructions);
  requests.clear();
  return taken;
}

bool Camera::Inject(const Fault& fault, std::string& error) {
  if (fault.after < 0 || (!fault.OneShot() && fault.after != 0)) {
    error = "after=K goes only with a one-time fault, and K is at least 0";
    return false;
  }
  if (fault.kind == FaultKind::OpenFail && (fault.pipe < 0 || fault.pipe > 2)) {
    error = "bad pipe " + std::to_string(fault.pipe) + " (0 to 2)";
    return false;
  }
  if (fault.kind == FaultKind::ShortReply && (fault.shortBy < 0 || fault.shortBy > 63)) {
    error = "bad bytes short " + std::to_string(fault.shortBy) + " (1 to 63)";
    return false;
  }
  switch (fault.kind) {
    case FaultKind::PowerCutBefore:
    case FaultKind::PowerCutAfter:
      powerCuts.push_back(fault);
      break;
    case FaultKind::IgnoreWrites:
      ignoreWrites = true;
      break;
    case FaultKind::OpenFail:
      pipeOpenFails[fault.pipe] = true;
      break;
    case FaultKind::DeviceOpenFail:
      deviceOpenFails = true;
      break;
    default:
      faults.push_back(fault);
      break;
  }
  return true;
}

void Camera::ClearFaults() {
  faults.clear();
  powerCuts.clear();
  ignoreWrites = false;
  deviceOpenFails = false;
  for (bool& fails : pipeOpenFails) fails = false;
}

std::vector<std::string> Camera::DescribeFaults() const {
  std::vector<std::string> described;
  for (const Fault& fault : faults) described.push_back(Describe(fault));
  for (const Fault& cut : powerCuts) described.push_back(Describe(cut));
  if (ignoreWrites) described.push_back(Describe(Fault{FaultKind::IgnoreWrites}));
  for (int pipe = 0; pipe < 3; ++pipe)
    if (pipeOpenFails[pipe]) described.push_back(Describe(Fault{FaultKind::OpenFail, 0, 0, 0, pipe}));
  if (deviceOpenFails) described.push_back(Describe(Fault{FaultKind::DeviceOpenFail}));
  return described;
}

}  // namespace camera_model
