// The names faults go by: what a script or the Virtual camera window gives is
// what the camera's list of faults shows again.
#include <gtest/gtest.h>

#include "platform/camera_model/camera.h"

namespace {

using camera_model::Fault;
using camera_model::FaultKind;

TEST(CameraModelFaults, EveryNameReadsBackAsWritten) {
  for (const char* word : {"zero-write", "zero-read", "status=0x8F", "short-reply", "short-reply=3", "power-cut-before",
                           "power-cut-after", "ignore-writes", "open-fail=0", "open-fail=2", "device-open-fail"}) {
    Fault fault;
    std::string error;
    ASSERT_TRUE(camera_model::ParseFault(word, fault, error)) << word << ": " << error;
    EXPECT_EQ(camera_model::Describe(fault), word);
  }
  Fault fault{FaultKind::ShortReply};
  std::string error;
  for (const char* bad : {"status=0x100", "status=-1", "open-fail=3", "short-reply=0", "short-reply=64", "melt", ""})
    EXPECT_FALSE(camera_model::ParseFault(bad, fault, error)) << bad;
  EXPECT_EQ(fault.kind, FaultKind::ShortReply) << "a refused word leaves the fault as it was";
}

TEST(CameraModelFaults, ACameraListsItsFaultsInTheOrderTheyStrikeAndClearEndsThemAll) {
  camera_model::Camera camera;
  std::string error;
  ASSERT_TRUE(camera.Inject(Fault{FaultKind::PowerCutAfter, 0, 1}, error));
  ASSERT_TRUE(camera.Inject(Fault{FaultKind::OpenFail, 0, 0, 0, 1}, error));
  ASSERT_TRUE(camera.Inject(Fault{FaultKind::Status, 0x81, 2}, error));
  ASSERT_TRUE(camera.Inject(Fault{FaultKind::ZeroRead}, error));
  EXPECT_FALSE(camera.Inject(Fault{FaultKind::DeviceOpenFail, 0, 3}, error)) << "only one-time faults wait";
  EXPECT_EQ(camera.DescribeFaults(),
            (std::vector<std::string>{"status=0x81 after=2", "zero-read", "power-cut-after after=1", "open-fail=1"}));
  camera.ClearFaults();
  EXPECT_TRUE(camera.DescribeFaults().empty());
}

}  // namespace
