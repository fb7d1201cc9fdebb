// The Virtual camera panel's operations on the simulated world.
#include "tools/desktop/panel_model.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

simtools::CameraSetup CameraOf(int classNumber, std::uint16_t model = 1030) {
  simtools::CameraSetup setup;
  setup.classNumber = classNumber;
  setup.model = model;
  setup.flags = 0;
  return setup;
}

class PanelModelTest : public ::testing::Test {
 protected:
  sim::World world;
  PanelModel model{world};
  std::string error;
};

TEST_F(PanelModelTest, AddCameraRefusesTakenNamesAndBadSetupsWithoutAddingAnything) {
  ASSERT_TRUE(model.AddCamera("a", CameraOf(4), true, error)) << error;
  EXPECT_FALSE(model.AddCamera("a", CameraOf(4), true, error));
  simtools::CameraSetup tooManyForRavik = CameraOf(1);
  tooManyForRavik.count = 16;
  EXPECT_FALSE(model.AddCamera("b", tooManyForRavik, true, error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(model.CameraNames(), std::vector<std::string>{"a"});
  EXPECT_EQ(model.UnusedName(), "camera1");
}

TEST_F(PanelModelTest, AddCameraPowersOnlyWhenAsked) {
  ASSERT_TRUE(model.AddCamera("on", CameraOf(4), true, error));
  ASSERT_TRUE(model.AddCamera("off", CameraOf(4), false, error));
  EXPECT_TRUE(model.Find("on")->power);
  EXPECT_FALSE(model.Find("off")->power);
  ASSERT_TRUE(model.SetPower("off", true, error));
  EXPECT_TRUE(model.Find("off")->power);
  EXPECT_FALSE(model.SetPower("nobody", true, error));
}

TEST_F(PanelModelTest, ReadingsMarkOnlyTheBytesChangedSinceTheLastReading) {
  ASSERT_TRUE(model.AddCamera("z", CameraOf(4), true, error));
  BlockReading first;
  ASSERT_TRUE(model.ReadBlock("z", first, error));
  EXPECT_EQ(first.address, 10u);
  ASSERT_EQ(first.bytes.size(), 61u);
  EXPECT_EQ(first.changed, std::vector<bool>(61, false));

  sim::Camera& camera = *model.Find("z");
  camera.memory[10 + 5] ^= 0xFF;
  camera.memory[10 + 60] ^= 0x01;
  camera.memory[10 + 61] ^= 0x01;  // behind the block: not part of the reading
  BlockReading second;
  ASSERT_TRUE(model.ReadBlock("z", second, error));
  std::vector<bool> expected(61, false);
  expected[5] = expected[60] = true;
  EXPECT_EQ(second.changed, expected);
  EXPECT_EQ(second.bytes[5], camera.memory[15]);

  BlockReading third;
  ASSERT_TRUE(model.ReadBlock("z", third, error));
  EXPECT_EQ(third.changed, std::vector<bool>(61, false));
}

TEST_F(PanelModelTest, EachSeriesIsReadWhereItKeepsItsBlock) {
  ASSERT_TRUE(model.AddCamera("r", CameraOf(2), true, error));
  ASSERT_TRUE(model.AddCamera("o", CameraOf(8), true, error));
  BlockReading ravik, oskel;
  ASSERT_TRUE(model.ReadBlock("r", ravik, error));
  ASSERT_TRUE(model.ReadBlock("o", oskel, error));
  EXPECT_EQ(ravik.address, 10u);
  EXPECT_EQ(ravik.bytes.size(), 59u);
  EXPECT_EQ(oskel.address, 0x3FF80u);
  EXPECT_EQ(oskel.bytes.size(), 61u);
}

TEST_F(PanelModelTest, PermissionFollowsTheModelCodeInTheCamerasMemory) {
  ASSERT_TRUE(model.AddCamera("z", CameraOf(4, 1200), true, error));
  const std::string key = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\zeltccdB\\Parameters";
  PermissionState state = model.Permission("z");
  EXPECT_EQ(state.kind, PermissionState::Kind::Absent);
  EXPECT_EQ(state.key, key);

  world.registry.SetValue(key, "AllowEEPROMWrite", sim::Registry::Value::Dword(1));
  state = model.Permission("z");
  EXPECT_EQ(state.kind, PermissionState::Kind::Present);
  EXPECT_EQ(state.value, 1u);
  EXPECT_EQ(Describe(state), "present (1)");

  world.registry.DeleteKey(key);
  EXPECT_EQ(model.Permission("z").kind, PermissionState::Kind::KeyMissing);

  // The model code as the camera holds it now, not as it was added.
  sim::Camera& camera = *model.Find("z");
  camera.memory[3] = 0xB2;  // 1202 = 0x04B2
  EXPECT_EQ(model.Permission("z").kind, PermissionState::Kind::NoService);
  EXPECT_EQ(model.Permission("z").model, 1202);
}

TEST_F(PanelModelTest, OskelCamerasNeedNoPermission) {
  ASSERT_TRUE(model.AddCamera("o", CameraOf(7), true, error));
  EXPECT_EQ(model.Permission("o").kind, PermissionState::Kind::NotUsed);
}

TEST_F(PanelModelTest, FaultsReachTheCameraAndClearEndsThemAll) {
  ASSERT_TRUE(model.AddCamera("z", CameraOf(4), true, error));
  ASSERT_TRUE(model.InjectFault("z", "status=0x8F", 2, error)) << error;
  ASSERT_TRUE(model.InjectFault("z", "zero-read", 0, error));
  ASSERT_TRUE(model.InjectFault("z", "ignore-writes", 0, error));
  ASSERT_TRUE(model.InjectFault("z", "open-fail=2", 0, error));
  ASSERT_TRUE(model.InjectFault("z", "device-open-fail", 0, error));
  const sim::Camera& camera = *model.Find("z");
  ASSERT_EQ(camera.faults.size(), 2u);
  EXPECT_EQ(camera.faults[0].kind, sim::FaultKind::Status);
  EXPECT_EQ(camera.faults[0].status, 0x8F);
  EXPECT_EQ(camera.faults[0].after, 2);
  EXPECT_EQ(camera.faults[1].kind, sim::FaultKind::ZeroRead);
  EXPECT_TRUE(camera.ignoreWrites);
  EXPECT_TRUE(camera.pipeOpenFails[2]);
  EXPECT_FALSE(camera.pipeOpenFails[0]);
  EXPECT_TRUE(camera.deviceOpenFails);
  EXPECT_EQ(model.DescribeFaults("z"), (std::vector<std::string>{"status=0x8F after=2", "zero-read", "ignore-writes",
                                                                 "open-fail=2", "device-open-fail"}));

  ASSERT_TRUE(model.InjectFault("z", "clear", 0, error));
  EXPECT_TRUE(camera.faults.empty());
  EXPECT_FALSE(camera.ignoreWrites || camera.pipeOpenFails[2] || camera.deviceOpenFails);
}

TEST_F(PanelModelTest, RefusesFaultsTheCameraCannotHave) {
  ASSERT_TRUE(model.AddCamera("z", CameraOf(4), true, error));
  EXPECT_FALSE(model.InjectFault("z", "status=0x100", 0, error));
  EXPECT_FALSE(model.InjectFault("z", "open-fail=3", 0, error));
  EXPECT_FALSE(model.InjectFault("z", "melt", 0, error));
  EXPECT_FALSE(model.InjectFault("z", "ignore-writes", 1, error)) << "after goes only with one-time faults";
  EXPECT_FALSE(model.InjectFault("z", "zero-write", -1, error));
  EXPECT_TRUE(model.Find("z")->faults.empty() && !model.Find("z")->ignoreWrites);
  for (const std::string& kind : FaultKinds()) {
    const std::string written = kind == "status" ? "status=0x01" : kind;
    EXPECT_TRUE(model.InjectFault("z", written, 0, error)) << written << ": " << error;
  }
}

}  // namespace
}  // namespace desktop
