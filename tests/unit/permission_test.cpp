// The administrator check and the driver write permission in the registry.
#include "config/permission.h"

#include <gtest/gtest.h>

#include "platform/sim/world.h"

namespace {

const char kZeltF[] = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\zeltccdF\\Parameters";
const char kZeltBI[] = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\zeltccdBI\\Parameters";

struct Identity {
  std::uint8_t bytes[10] = {7, 7, 7, 0, 0, 7, 7, 7, 7, 7};
  explicit Identity(std::uint16_t model) {
    bytes[3] = static_cast<std::uint8_t>(model);
    bytes[4] = static_cast<std::uint8_t>(model >> 8);
  }
};

class PermissionTest : public ::testing::Test {
 protected:
  void SetUp() override { sim::World::Get().Reset(); }
  sim::World& world = sim::World::Get();
};

TEST_F(PermissionTest, AdministratorOnNtOpensTheServiceManagerWithFullAccess) {
  EXPECT_TRUE(config::IsAdministrator());
  EXPECT_EQ(world.scManagerAccess, 0xE0000000u);
  EXPECT_EQ(world.loadLibraryCalls, 1);
  EXPECT_EQ(world.freeLibraryCalls, 1);
  EXPECT_EQ(world.OpenHandleCount(), 0u);

  world.admin = false;
  EXPECT_FALSE(config::IsAdministrator());
  EXPECT_EQ(world.freeLibraryCalls, 2);
  EXPECT_EQ(world.OpenHandleCount(), 0u);
}

TEST_F(PermissionTest, OtherPlatformsAndMissingPieces) {
  world.admin = false;
  world.platform = sim::World::Platform::Win9x;
  EXPECT_TRUE(config::IsAdministrator());
  EXPECT_EQ(world.loadLibraryCalls, 0);  // no library is loaded on that platform

  world.admin = true;
  world.platform = sim::World::Platform::Other;
  EXPECT_FALSE(config::IsAdministrator());
  world.platform = sim::World::Platform::Fail;
  EXPECT_FALSE(config::IsAdministrator());

  world.platform = sim::World::Platform::Nt;
  world.advapiMissing = true;
  EXPECT_FALSE(config::IsAdministrator());
  world.advapiMissing = false;
  world.advapiLacksCloseServiceHandle = true;
  const int opensBefore = world.openSCManagerCalls;
  EXPECT_FALSE(config::IsAdministrator());
  EXPECT_EQ(world.openSCManagerCalls, opensBefore);  // nothing opened without a way to close it
  EXPECT_EQ(world.OpenHandleCount(), 0u);
}

TEST_F(PermissionTest, ModelCodeChoosesTheServiceKey) {
  EXPECT_STREQ(config::DriverServiceKey(1201), "SYSTEM\\CurrentControlSet\\Services\\zeltccdBI\\Parameters");
  EXPECT_STREQ(config::DriverServiceKey(1200), "SYSTEM\\CurrentControlSet\\Services\\zeltccdB\\Parameters");
  EXPECT_STREQ(config::DriverServiceKey(1027), "SYSTEM\\CurrentControlSet\\Services\\ravikccdI\\Parameters");
  EXPECT_EQ(config::DriverServiceKey(1202), nullptr);
  EXPECT_EQ(config::DriverServiceKey(0), nullptr);
}

TEST_F(PermissionTest, SetAndRemoveTheValue) {
  EXPECT_TRUE(config::SetDriverWritePermission(Identity(1201).bytes));
  std::uint32_t v = 0;
  const sim::Registry::Value* value = world.registry.GetValue(kZeltBI, "AllowEEPROMWrite");
  ASSERT_NE(value, nullptr);
  EXPECT_TRUE(value->AsDword(v));
  EXPECT_EQ(v, 1u);
  EXPECT_TRUE(config::SetDriverWritePermission(Identity(1201).bytes));  // overwriting is fine
  config::RemoveDriverWritePermission(Identity(1201).bytes);
  EXPECT_EQ(world.registry.GetValue(kZeltBI, "AllowEEPROMWrite"), nullptr);
  config::RemoveDriverWritePermission(Identity(1201).bytes);  // already gone: nothing happens
  EXPECT_EQ(world.OpenHandleCount(), 0u);
}

TEST_F(PermissionTest, NoKeyMeansNoPermissionAndNoKeyIsCreated) {
  EXPECT_FALSE(config::SetDriverWritePermission(Identity(1202).bytes));
  world.registry.DeleteKey(kZeltF);
  EXPECT_FALSE(config::SetDriverWritePermission(Identity(1030).bytes));
  EXPECT_FALSE(world.registry.KeyExists(kZeltF));
  config::RemoveDriverWritePermission(Identity(1030).bytes);
  EXPECT_FALSE(world.registry.KeyExists(kZeltF));

  world.registry.CreateKey(kZeltF);
  world.registry.SetReadOnly(kZeltF, true);
  EXPECT_FALSE(config::SetDriverWritePermission(Identity(1030).bytes));
  EXPECT_EQ(world.OpenHandleCount(), 0u);
}

}  // namespace
