// CRegScannerA over the simulated registry: what it opens, creates, reads and
// leaves unchanged.
#include "lib/support/reg_scanner.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/world.h"

namespace {

const char kKey[] = "Software\\Kelvane\\scanner-test";
const char kKeyPath[] = "HKCU\\Software\\Kelvane\\scanner-test";

class RegScannerTest : public ::testing::Test {
 protected:
  void SetUp() override { world.Reset(); }
  sim::World& world = sim::World::Get();
};

TEST_F(RegScannerTest, InitNeverCreatesCreateDoes) {
  {
    CRegScannerA scanner;
    EXPECT_FALSE(scanner.Init(nullptr, sizeof(kKey) - 1, kKey, HKEY_CURRENT_USER));
    scanner.Done();
  }
  EXPECT_FALSE(world.registry.KeyExists(kKeyPath));
  {
    CRegScannerA scanner;
    EXPECT_TRUE(scanner.Create(nullptr, sizeof(kKey) - 1, kKey, HKEY_CURRENT_USER));
    EXPECT_FALSE(scanner.SetSection(6, "Window"));  // missing sections are not made by selecting
    EXPECT_TRUE(scanner.CreateSection(6, "Window"));
    EXPECT_TRUE(scanner.SetSection(6, "Window"));
    EXPECT_TRUE(scanner.SetKeyInt(4, "XPos", -32000));
    scanner.Done();
  }
  EXPECT_TRUE(world.registry.KeyExists(std::string(kKeyPath) + "\\Window"));
  EXPECT_EQ(world.OpenHandleCount(), 0u);

  CRegScannerA scanner;
  ASSERT_TRUE(scanner.Init(nullptr, sizeof(kKey) - 1, kKey, HKEY_CURRENT_USER));
  ASSERT_TRUE(scanner.SetSection(6, "Window"));
  std::int32_t x = 7;
  EXPECT_TRUE(scanner.GetKeyInt(4, "XPos", &x));
  EXPECT_EQ(x, -32000);
}  // the destructor closes what is still open

TEST_F(RegScannerTest, GetKeyIntLeavesTheIntegerWhenTheValueIsNoNumber) {
  world.registry.CreateKey(kKeyPath);
  world.registry.SetValue(kKeyPath, "Text", sim::Registry::Value::String("120"));
  world.registry.SetValue(kKeyPath, "Short", sim::Registry::Value{REG_BINARY, {1, 2}});
  world.registry.SetValue(kKeyPath, "Wide", sim::Registry::Value{REG_BINARY, {1, 2, 3, 4, 5, 6, 7, 8}});
  world.registry.SetValue(kKeyPath, "Cut", sim::Registry::Value{REG_DWORD, {1, 2}});  // a DWORD of two bytes
  CRegScannerA scanner;
  ASSERT_TRUE(scanner.Init(nullptr, sizeof(kKey) - 1, kKey, HKEY_CURRENT_USER));
  for (const char* name : {"Text", "Short", "Wide", "Cut", "Missing"}) {
    std::int32_t v = 100;
    EXPECT_FALSE(scanner.GetKeyInt(std::string(name).size(), name, &v)) << name;
    EXPECT_EQ(v, 100) << name;
  }
  scanner.Done();
  EXPECT_EQ(world.OpenHandleCount(), 0u);
}

TEST_F(RegScannerTest, CountedNamesAreCutAtTheirLength) {
  CRegScannerA scanner;
  // Only the first 23 characters name the key: the rest of the buffer is not part of it.
  const char text[] = "Software\\Kelvane\\zeltfwXXXX";
  ASSERT_TRUE(scanner.Create(nullptr, 23, text, HKEY_CURRENT_USER));
  EXPECT_TRUE(scanner.SetKeyInt(4, "YPosition", 5));
  scanner.Done();
  EXPECT_TRUE(world.registry.KeyExists("HKCU\\Software\\Kelvane\\zeltfw"));
  std::uint32_t v = 0;
  const sim::Registry::Value* value = world.registry.GetValue("HKCU\\Software\\Kelvane\\zeltfw", "YPos");
  ASSERT_NE(value, nullptr);
  EXPECT_TRUE(value->AsDword(v));
  EXPECT_EQ(v, 5u);
}

TEST_F(RegScannerTest, CardValuesAndTheirRemoval) {
  const char key[] = "SYSTEM\\CurrentControlSet\\Services\\zeltccdF\\Parameters";
  const char path[] = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\zeltccdF\\Parameters";
  CRegScannerA scanner;
  ASSERT_TRUE(scanner.vfInit(nullptr, key, HKEY_LOCAL_MACHINE));
  EXPECT_TRUE(scanner.SetKeyCard("AllowEEPROMWrite", 0xFFFFFFFFu));
  std::uint32_t v = 0;
  ASSERT_NE(world.registry.GetValue(path, "AllowEEPROMWrite"), nullptr);
  EXPECT_TRUE(world.registry.GetValue(path, "AllowEEPROMWrite")->AsDword(v));
  EXPECT_EQ(v, 0xFFFFFFFFu);
  EXPECT_TRUE(scanner.DeleteKey("AllowEEPROMWrite"));
  EXPECT_FALSE(scanner.DeleteKey("AllowEEPROMWrite"));
  scanner.vfDone();
  EXPECT_EQ(world.registry.GetValue(path, "AllowEEPROMWrite"), nullptr);
  EXPECT_TRUE(world.registry.KeyExists(path));  // the key itself stays

  // Nothing open: every operation fails without touching the registry.
  EXPECT_FALSE(scanner.SetKeyCard("AllowEEPROMWrite", 1));
  EXPECT_FALSE(scanner.vfInit(nullptr, "SYSTEM\\CurrentControlSet\\Services\\nothere", HKEY_LOCAL_MACHINE));
  EXPECT_FALSE(world.registry.KeyExists("HKLM\\SYSTEM\\CurrentControlSet\\Services\\nothere"));
  EXPECT_EQ(world.OpenHandleCount(), 0u);
}

TEST_F(RegScannerTest, KeyTextsLongerThanTheBufferAreRefused) {
  const std::string longKey = "Software\\" + std::string(300, 'k');
  CRegScannerA scanner;
  EXPECT_FALSE(scanner.Create(nullptr, longKey.size(), longKey.c_str(), HKEY_CURRENT_USER));
  EXPECT_FALSE(scanner.vfInit(nullptr, longKey.c_str(), HKEY_CURRENT_USER));
  EXPECT_EQ(world.OpenHandleCount(), 0u);
}

}  // namespace
