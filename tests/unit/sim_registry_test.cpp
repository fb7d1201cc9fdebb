// The simulated registry: the program's Reg* functions with Windows results,
// access rights, deleted keys, and the branch file of the desktop build.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/sim/internals.h"
#include "platform/sim/world.h"

namespace {

constexpr const char* kService = "SYSTEM\\CurrentControlSet\\Services\\zeltccdBI\\Parameters";

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { world.Reset(); }

  win::HKEY Open(win::HKEY root, const char* path, win::REGSAM access, win::LONG expected = ERROR_SUCCESS) {
    win::HKEY key = nullptr;
    EXPECT_EQ(win::RegOpenKeyExA(root, path, 0, access, &key), expected) << path;
    return key;
  }
  win::LONG SetDword(win::HKEY key, const char* name, std::uint32_t value) {
    return win::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const win::BYTE*>(&value), 4);
  }

  sim::World& world = sim::World::Get();
};

TEST_F(RegistryTest, FreshWorldHasTheSixDriverKeysOnly) {
  for (const char* service : {"ravikccdI", "ravikccdF", "zeltccdI", "zeltccdF", "zeltccdB", "zeltccdBI"})
    EXPECT_TRUE(world.registry.KeyExists(std::string("hklm\\system\\currentcontrolset\\services\\") + service +
                                         "\\PARAMETERS"));
  EXPECT_FALSE(world.registry.KeyExists("HKCU\\Software\\Kelvane"));
  win::HKEY key = Open(HKEY_CURRENT_USER, "Software\\Kelvane\\zeltfw", KEY_READ, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(world.OpenHandleCount(), 0u);
}

TEST_F(RegistryTest, CreateMakesParentsAndReportsDisposition) {
  win::HKEY key = nullptr;
  win::DWORD disposition = 0;
  ASSERT_EQ(win::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Kelvane\\zeltfw", 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_READ | KEY_WRITE, nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, sim::kRegCreatedNewKey);
  win::HKEY section = nullptr;
  ASSERT_EQ(win::RegCreateKeyExA(key, "Window", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &section, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, sim::kRegCreatedNewKey);
  EXPECT_EQ(SetDword(section, "XPos", 120), ERROR_SUCCESS);
  win::RegCloseKey(section);
  ASSERT_EQ(win::RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\kelvane\\ZELTFW\\window", 0, nullptr, 0, KEY_READ,
                                 nullptr, &section, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, sim::kRegOpenedExistingKey);
  EXPECT_EQ(world.OpenHandleCount(), 2u);
  win::RegCloseKey(section);
  win::RegCloseKey(key);
  EXPECT_EQ(win::RegCloseKey(key), static_cast<win::LONG>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(world.OpenHandleCount(), 0u);
  // Names keep the case they were created with.
  EXPECT_EQ(world.registry.Dump("HKCU"),
            std::vector<std::string>{"HKCU\\Software\\Kelvane\\zeltfw\\Window XPos dword 120"});
}

TEST_F(RegistryTest, QueryFollowsWindowsSizeRules) {
  ASSERT_TRUE(world.registry.CreateKey("HKCU\\Software\\Test"));
  world.registry.SetValue("HKCU\\Software\\Test", "Name", sim::Registry::Value::String("Počet"));
  win::HKEY key = Open(HKEY_CURRENT_USER, "Software\\Test", KEY_READ);
  win::DWORD type = 0, size = 0;
  ASSERT_EQ(win::RegQueryValueExA(key, "name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<win::DWORD>(REG_SZ));
  EXPECT_EQ(size, 6u);  // five Windows-1250 bytes and the zero
  win::BYTE data[8] = {};
  size = 3;
  EXPECT_EQ(win::RegQueryValueExA(key, "Name", nullptr, &type, data, &size), static_cast<win::LONG>(ERROR_MORE_DATA));
  EXPECT_EQ(size, 6u);
  size = sizeof(data);
  ASSERT_EQ(win::RegQueryValueExA(key, "Name", nullptr, &type, data, &size), ERROR_SUCCESS);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data)),
            "Po\xE8"
            "et");
  EXPECT_EQ(win::RegQueryValueExA(key, "Missing", nullptr, &type, data, &size),
            static_cast<win::LONG>(ERROR_FILE_NOT_FOUND));
  // The handle was opened for reading only.
  EXPECT_EQ(SetDword(key, "X", 1), static_cast<win::LONG>(ERROR_ACCESS_DENIED));
  win::RegCloseKey(key);
}

TEST_F(RegistryTest, SetAndDeleteValues) {
  win::HKEY key = Open(HKEY_LOCAL_MACHINE, kService, KEY_READ | KEY_WRITE);
  EXPECT_EQ(SetDword(key, "AllowEEPROMWrite", 1), ERROR_SUCCESS);
  std::uint32_t number = 0;
  ASSERT_NE(world.registry.GetValue(std::string("HKLM\\") + kService, "allowEEPROMwrite"), nullptr);
  EXPECT_TRUE(world.registry.GetValue(std::string("HKLM\\") + kService, "AllowEEPROMWrite")->AsDword(number));
  EXPECT_EQ(number, 1u);
  EXPECT_EQ(win::RegDeleteValueA(key, "ALLOWEEPROMWRITE"), ERROR_SUCCESS);
  EXPECT_EQ(win::RegDeleteValueA(key, "AllowEEPROMWrite"), static_cast<win::LONG>(ERROR_FILE_NOT_FOUND));

  world.registry.SetReadOnly(std::string("HKLM\\") + kService, true);
  EXPECT_EQ(SetDword(key, "AllowEEPROMWrite", 1), static_cast<win::LONG>(ERROR_ACCESS_DENIED));
  world.registry.SetValue(std::string("HKLM\\") + kService, "AllowEEPROMWrite", sim::Registry::Value::Dword(1));
  EXPECT_EQ(win::RegDeleteValueA(key, "AllowEEPROMWrite"), static_cast<win::LONG>(ERROR_ACCESS_DENIED));
  win::RegCloseKey(key);
}

TEST_F(RegistryTest, WithoutAdministratorRightsHklmOpensForReadingOnly) {
  world.admin = false;
  Open(HKEY_LOCAL_MACHINE, kService, KEY_READ | KEY_WRITE, ERROR_ACCESS_DENIED);
  win::HKEY key = Open(HKEY_LOCAL_MACHINE, kService, KEY_READ);
  EXPECT_EQ(SetDword(key, "AllowEEPROMWrite", 1), static_cast<win::LONG>(ERROR_ACCESS_DENIED));
  win::RegCloseKey(key);
  win::HKEY created = nullptr;
  EXPECT_EQ(
      win::RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\New", 0, nullptr, 0, KEY_READ, nullptr, &created, nullptr),
      static_cast<win::LONG>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(world.registry.KeyExists("HKLM\\SOFTWARE\\New"));
  // The current user's part stays writable.
  EXPECT_EQ(
      win::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\New", 0, nullptr, 0, KEY_WRITE, nullptr, &created, nullptr),
      ERROR_SUCCESS);
  win::RegCloseKey(created);
}

TEST_F(RegistryTest, HandleOfADeletedKeyStaysDeleted) {
  world.registry.CreateKey("HKCU\\Software\\Kelvane\\zeltfw\\Window");
  win::HKEY parent = Open(HKEY_CURRENT_USER, "Software\\Kelvane", KEY_READ | KEY_WRITE);
  win::HKEY key = Open(parent, "zeltfw\\Window", KEY_READ | KEY_WRITE);  // a path relative to an open key
  ASSERT_NE(key, nullptr);
  Open(parent, "\\zeltfw", KEY_READ, sim::kErrorBadPathname);
  ASSERT_TRUE(world.registry.DeleteKey("HKCU\\Software\\Kelvane\\zeltfw"));
  EXPECT_FALSE(world.registry.KeyExists("HKCU\\Software\\Kelvane\\zeltfw\\Window"));
  world.registry.CreateKey("HKCU\\Software\\Kelvane\\zeltfw\\Window");  // another key of the same name
  EXPECT_EQ(SetDword(key, "XPos", 1), static_cast<win::LONG>(sim::kErrorKeyDeleted));
  win::DWORD size = 0;
  EXPECT_EQ(win::RegQueryValueExA(key, "XPos", nullptr, nullptr, nullptr, &size),
            static_cast<win::LONG>(sim::kErrorKeyDeleted));
  EXPECT_EQ(win::RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(SetDword(parent, "Still", 1), ERROR_SUCCESS);
  win::RegCloseKey(parent);
  EXPECT_FALSE(world.registry.DeleteKey("HKCU"));
}

class BranchFile : public RegistryTest {
 protected:
  void TearDown() override { std::remove(file.c_str()); }
  void Write(const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
  // One file per test and per run: the tests of several builds may run at once.
  std::string file = ::testing::TempDir() + "sim_registry_branch_" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                     std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + ".txt";
};

TEST_F(BranchFile, RoundTripKeepsKeysValuesAndCase) {
  world.registry.CreateKey("HKCU\\Software\\Kelvane\\zeltfw\\Window");
  world.registry.CreateKey("HKCU\\Software\\Empty Key");
  world.registry.SetValue("HKCU\\Software\\Kelvane\\zeltfw\\Window", "XPos", sim::Registry::Value::Dword(0xFFFFFFF6u));
  world.registry.SetValue("HKCU\\Software\\Kelvane", "", sim::Registry::Value::String("Žluťoučký kůň"));
  sim::Registry::Value raw;
  raw.type = REG_BINARY;
  raw.data = {0x00, 0x0A, 0x5C, 0x20};
  world.registry.SetValue("HKCU\\Software\\Kelvane", "Raw bytes", raw);
  std::vector<std::string> before = world.registry.Dump("HKCU");
  ASSERT_TRUE(world.registry.SaveBranch("HKCU", file));

  world.registry.Clear();
  ASSERT_TRUE(world.registry.LoadBranch("HKCU", file));
  EXPECT_EQ(world.registry.Dump("HKCU"), before);
  EXPECT_TRUE(world.registry.KeyExists("HKCU\\Software\\Empty Key"));
  EXPECT_EQ(before.size(), 3u);
}

TEST_F(BranchFile, DamagedFilesChangeNothing) {
  world.registry.CreateKey("HKCU\\Software\\Kelvane\\zeltfw\\Window");
  world.registry.SetValue("HKCU\\Software\\Kelvane\\zeltfw\\Window", "YPos", sim::Registry::Value::Dword(7));
  ASSERT_TRUE(world.registry.SaveBranch("HKCU", file));
  std::string good;
  {
    std::ifstream in(file, std::ios::binary);
    good.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  world.registry.SetValue("HKCU\\Software\\Kelvane\\zeltfw\\Window", "YPos", sim::Registry::Value::Dword(8));
  std::vector<std::string> expected = world.registry.Dump("HKCU");

  // Every cut of the file, and a few damaged lines.
  for (std::size_t cut = 0; cut + 1 < good.size(); ++cut) {
    Write(good.substr(0, cut));
    EXPECT_FALSE(world.registry.LoadBranch("HKCU", file)) << cut;
  }
  for (const std::string& damaged :
       {std::string("zeltfw-registry 2\nend\n"), std::string("zeltfw-registry 1\nvalue 41 4 01000000\nend\n"),
        std::string("zeltfw-registry 1\nkey 1 5x\nend\n"), std::string("zeltfw-registry 1\nkey 99999999999\nend\n"),
        std::string("zeltfw-registry 1\nkey 0\nvalue 41 4 010\nend\n"),
        std::string("zeltfw-registry 1\nend\njunk\n")}) {
    Write(damaged);
    EXPECT_FALSE(world.registry.LoadBranch("HKCU", file)) << damaged;
  }
  EXPECT_EQ(world.registry.Dump("HKCU"), expected);
  std::remove(file.c_str());
  EXPECT_FALSE(world.registry.LoadBranch("HKCU", file));
}

// Volatile keys, as the Window section must never be: they hold volatile
// keys only, a restart drops them, and the desktop build's file never keeps them.
TEST_F(BranchFile, VolatileKeysGoAtARestartAndNeverReachTheFile) {
  win::HKEY key = nullptr;
  win::DWORD disposition = 0;
  ASSERT_EQ(win::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Kelvane\\zeltfw", 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &key, &disposition),
            ERROR_SUCCESS);
  win::HKEY section = nullptr;
  ASSERT_EQ(win::RegCreateKeyExA(key, "Window", 0, nullptr, sim::kRegOptionVolatile, KEY_ALL_ACCESS, nullptr, &section,
                                 &disposition),
            ERROR_SUCCESS);
  win::HKEY child = nullptr;
  EXPECT_EQ(win::RegCreateKeyExA(section, "Inner", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &child,
                                 &disposition),
            static_cast<win::LONG>(sim::kErrorChildMustBeVolatile));
  EXPECT_EQ(SetDword(section, "XPos", 40), ERROR_SUCCESS);
  win::RegCloseKey(section);
  win::RegCloseKey(key);
  EXPECT_TRUE(world.registry.IsVolatile("HKCU\\Software\\Kelvane\\zeltfw\\Window"));

  ASSERT_TRUE(world.registry.SaveBranch("HKCU", file));
  world.registry.RestartMachine();
  EXPECT_TRUE(world.registry.KeyExists("HKCU\\Software\\Kelvane\\zeltfw"));
  EXPECT_FALSE(world.registry.KeyExists("HKCU\\Software\\Kelvane\\zeltfw\\Window"));
  world.registry.Clear();
  ASSERT_TRUE(world.registry.LoadBranch("HKCU", file));
  EXPECT_TRUE(world.registry.KeyExists("HKCU\\Software\\Kelvane\\zeltfw"));
  EXPECT_FALSE(world.registry.KeyExists("HKCU\\Software\\Kelvane\\zeltfw\\Window"));
}

}  // namespace
