// The Virtual camera panel's operations on the simulated world.
#include "tools/desktop/panel_model.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

using camera_model::Fault;
using camera_model::FaultKind;

camera_model::NewCamera CameraOf(const std::string& name, int classNumber, std::uint16_t model = 1030,
                                 bool power = true) {
  camera_model::NewCamera camera;
  camera.name = name;
  camera.setup.classNumber = classNumber;
  camera.setup.model = model;
  camera.setup.flags = 0;
  camera.power = power;
  return camera;
}

class PanelModelTest : public ::testing::Test {
 protected:
  sim::World world;
  PanelModel model{world};
  std::string error;
};

TEST_F(PanelModelTest, AddCameraRefusesTakenNamesAndBadSetupsWithoutAddingAnything) {
  ASSERT_TRUE(model.AddCamera(CameraOf("a", 4), error)) << error;
  EXPECT_FALSE(model.AddCamera(CameraOf("a", 4), error));
  camera_model::NewCamera tooManyForRavik = CameraOf("b", 1);
  tooManyForRavik.setup.count = 16;
  EXPECT_FALSE(model.AddCamera(tooManyForRavik, error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(model.CameraNames(), std::vector<std::string>{"a"});
  EXPECT_EQ(model.UnusedName(), "camera1");
}

TEST_F(PanelModelTest, AddCameraPowersOnlyWhenAsked) {
  ASSERT_TRUE(model.AddCamera(CameraOf("on", 4), error));
  ASSERT_TRUE(model.AddCamera(CameraOf("off", 4, 1030, false), error));
  EXPECT_TRUE(model.Find("on")->power);
  EXPECT_FALSE(model.Find("off")->power);
  ASSERT_TRUE(model.SetPower("off", true, error));
  EXPECT_TRUE(model.Find("off")->power);
  EXPECT_FALSE(model.SetPower("nobody", true, error));
}

TEST_F(PanelModelTest, ReadingsMarkOnlyTheBytesChangedSinceTheLastReading) {
  ASSERT_TRUE(model.AddCamera(CameraOf("z", 4), error));
  BlockReading first;
  ASSERT_TRUE(model.ReadBlock("z", first, error));
  EXPECT_EQ(first.address, 10u);
  ASSERT_EQ(first.bytes.size(), 61u);
  EXPECT_EQ(first.changed, std::vector<bool>(61, false));

  camera_model::Camera& camera = *model.Find("z");
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
  ASSERT_TRUE(model.AddCamera(CameraOf("r", 2), error));
  ASSERT_TRUE(model.AddCamera(CameraOf("o", 8), error));
  BlockReading ravik, oskel;
  ASSERT_TRUE(model.ReadBlock("r", ravik, error));
  ASSERT_TRUE(model.ReadBlock("o", oskel, error));
  EXPECT_EQ(ravik.address, 10u);
  EXPECT_EQ(ravik.bytes.size(), 59u);
  EXPECT_EQ(oskel.address, 0x3FF80u);
  EXPECT_EQ(oskel.bytes.size(), 61u);
}

TEST_F(PanelModelTest, PermissionFollowsTheModelCodeInTheCamerasMemory) {
  ASSERT_TRUE(model.AddCamera(CameraOf("z", 4, 1200), error));
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
  camera_model::Camera& camera = *model.Find("z");
  camera.memory[3] = 0xB2;  // 1202 = 0x04B2
  EXPECT_EQ(model.Permission("z").kind, PermissionState::Kind::NoService);
  EXPECT_EQ(model.Permission("z").model, 1202);
}

TEST_F(PanelModelTest, OskelCamerasNeedNoPermission) {
  ASSERT_TRUE(model.AddCamera(CameraOf("o", 7), error));
  EXPECT_EQ(model.Permission("o").kind, PermissionState::Kind::NotUsed);
}

TEST_F(PanelModelTest, FaultsReachTheCameraAndClearEndsThemAll) {
  ASSERT_TRUE(model.AddCamera(CameraOf("z", 4), error));
  ASSERT_TRUE(model.InjectFault("z", Fault{FaultKind::Status, 0x8F, 2}, error)) << error;
  ASSERT_TRUE(model.InjectFault("z", Fault{FaultKind::ZeroRead}, error));
  ASSERT_TRUE(model.InjectFault("z", Fault{FaultKind::IgnoreWrites}, error));
  ASSERT_TRUE(model.InjectFault("z", Fault{FaultKind::OpenFail, 0, 0, 0, 2}, error));
  ASSERT_TRUE(model.InjectFault("z", Fault{FaultKind::DeviceOpenFail}, error));
  const camera_model::Camera& camera = *model.Find("z");
  ASSERT_EQ(camera.faults.size(), 2u);
  EXPECT_EQ(camera.faults[0].kind, FaultKind::Status);
  EXPECT_EQ(camera.faults[0].status, 0x8F);
  EXPECT_EQ(camera.faults[0].after, 2);
  EXPECT_EQ(camera.faults[1].kind, FaultKind::ZeroRead);
  EXPECT_TRUE(camera.ignoreWrites);
  EXPECT_TRUE(camera.pipeOpenFails[2]);
  EXPECT_FALSE(camera.pipeOpenFails[0]);
  EXPECT_TRUE(camera.deviceOpenFails);
  EXPECT_EQ(model.DescribeFaults("z"), (std::vector<std::string>{"status=0x8F after=2", "zero-read", "ignore-writes",
                                                                 "open-fail=2", "device-open-fail"}));

  ASSERT_TRUE(model.ClearFaults("z", error));
  EXPECT_TRUE(camera.faults.empty());
  EXPECT_FALSE(camera.ignoreWrites || camera.pipeOpenFails[2] || camera.deviceOpenFails);
}

// What a person types into the Add fields: empty fields keep the class's
// defaults, numbers and text are checked before anything is added.
TEST_F(PanelModelTest, SetupFieldsReadAsTheScriptReadsTheSameWords) {
  SetupFields fields;
  fields.classNumber = 2;
  camera_model::CameraSetup setup;
  ASSERT_TRUE(SetupOf(fields, setup, error)) << error;
  EXPECT_EQ(setup.id, 1002u);
  EXPECT_EQ(setup.typeText, "Virtual 2");
  fields.model = "0x4B2";
  fields.id = "4294967295";
  fields.typeText = "Zelt \u010cern\u00fd";  // Windows-1250 has both
  ASSERT_TRUE(SetupOf(fields, setup, error)) << error;
  EXPECT_EQ(setup.model, 1202);
  EXPECT_EQ(setup.id, 4294967295u);
  EXPECT_EQ(setup.typeText,
            "Zelt \xC8"
            "ern\xFD");
  for (const char* bad : {"65536", "-1", "12a", "0x"}) {
    fields.model = bad;
    EXPECT_FALSE(SetupOf(fields, setup, error)) << bad;
  }
  fields.model.clear();
  fields.typeText = "\u4e2d";
  EXPECT_FALSE(SetupOf(fields, setup, error));
  fields.typeText = "fifteen letters";
  EXPECT_FALSE(SetupOf(fields, setup, error));
  EXPECT_EQ(setup.model, 1202) << "a refused setup leaves the last one";
}

TEST_F(PanelModelTest, RefusesFaultsTheCameraCannotHave) {
  ASSERT_TRUE(model.AddCamera(CameraOf("z", 4), error));
  EXPECT_FALSE(model.InjectFault("z", Fault{FaultKind::OpenFail, 0, 0, 0, 3}, error));
  EXPECT_FALSE(model.InjectFault("z", Fault{FaultKind::IgnoreWrites, 0, 1}, error))
      << "after goes only with one-time faults";
  EXPECT_FALSE(model.InjectFault("z", Fault{FaultKind::ZeroWrite, 0, -1}, error));
  EXPECT_FALSE(model.InjectFault("nobody", Fault{FaultKind::ZeroWrite}, error));
  EXPECT_TRUE(model.Find("z")->faults.empty() && !model.Find("z")->ignoreWrites);
  for (const Fault& fault : FaultMenu())
    EXPECT_TRUE(model.InjectFault("z", fault, error)) << MenuLabel(fault) << ": " << error;
}

}  // namespace
}  // namespace desktop
