// The current user's registry branch kept in a file between runs.
#include "tools/desktop/user_settings.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace desktop {
namespace {

const char kKey[] = "HKCU\\Software\\Kelvane\\zeltfw\\Window";

class UserSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/zeltfw-settings-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    file = folder + "/config/zeltfw/hkcu.reg";
  }
  void TearDown() override {
    std::remove(file.c_str());
    std::remove((file + ".damaged").c_str());
    rmdir((folder + "/config/zeltfw").c_str());
    rmdir((folder + "/config").c_str());
    rmdir(folder.c_str());
  }
  std::string folder, file;
};

TEST_F(UserSettingsTest, PathFollowsXdgConfigHomeThenHome) {
  const char* home = std::getenv("HOME");
  const std::string savedHome = home != nullptr ? home : "";
  setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(UserSettingsFile(), "/somewhere/config/zeltfw/hkcu.reg");
  setenv("XDG_CONFIG_HOME", "relative/config", 1);  // to be ignored
  EXPECT_EQ(UserSettingsFile(), "/home/someone/.config/zeltfw/hkcu.reg");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(UserSettingsFile(), "/home/someone/.config/zeltfw/hkcu.reg");
  unsetenv("HOME");
  EXPECT_EQ(UserSettingsFile(), "");
  if (home != nullptr) setenv("HOME", savedHome.c_str(), 1);
}

TEST_F(UserSettingsTest, ThePositionComesBackInTheNextRunAndNothingElseDoes) {
  {
    sim::World world;
    ASSERT_TRUE(world.registry.CreateKey(kKey));
    world.registry.SetValue(kKey, "XPos", sim::Registry::Value::Dword(300));
    world.registry.SetValue("HKLM\\SYSTEM\\CurrentControlSet\\Services\\zeltccdF\\Parameters", "AllowEEPROMWrite",
                            sim::Registry::Value::Dword(1));
    ASSERT_TRUE(SaveUserSettings(world, file)) << "creates the missing folders";
  }
  sim::World next;
  LoadUserSettings(next, file);
  const sim::Registry::Value* x = next.registry.GetValue(kKey, "XPos");
  ASSERT_NE(x, nullptr);
  std::uint32_t value = 0;
  EXPECT_TRUE(x->AsDword(value));
  EXPECT_EQ(value, 300u);
  EXPECT_EQ(
      next.registry.GetValue("HKLM\\SYSTEM\\CurrentControlSet\\Services\\zeltccdF\\Parameters", "AllowEEPROMWrite"),
      nullptr)
      << "the machine's branch is never kept";
}

TEST_F(UserSettingsTest, AMissingFileIsAFirstRun) {
  sim::World world;
  LoadUserSettings(world, file);
  EXPECT_FALSE(world.registry.KeyExists(kKey));
  EXPECT_FALSE(std::ifstream(file).good());
}

TEST_F(UserSettingsTest, ADamagedFileIsSetAsideNotLost) {
  sim::World world;
  ASSERT_TRUE(SaveUserSettings(world, file));
  { std::ofstream(file, std::ios::trunc) << "not a registry file\n"; }
  world.registry.CreateKey(kKey);
  LoadUserSettings(world, file);
  EXPECT_TRUE(world.registry.KeyExists(kKey)) << "the registry stays as it was";
  EXPECT_FALSE(std::ifstream(file).good());
  std::ifstream kept(file + ".damaged");
  std::string line;
  ASSERT_TRUE(std::getline(kept, line));
  EXPECT_EQ(line, "not a registry file");
}

}  // namespace
}  // namespace desktop
