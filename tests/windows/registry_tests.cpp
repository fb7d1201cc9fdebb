// CRegScannerA against the real registry, under a key of its own in HKCU.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "lib/support/reg_scanner.h"
#include "platform/api.h"

namespace {

const char kKey[] = "Software\\Kelvane\\zeltfw-tests\\scanner";

bool KeyExists(const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

class Scanner : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kelvane\\zeltfw-tests"); }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kelvane\\zeltfw-tests"); }
  static std::size_t Len(const char* s) { return std::strlen(s); }
};

TEST_F(Scanner, InitOpensButNeverCreates) {
  CRegScannerA scanner;
  EXPECT_FALSE(scanner.Init(nullptr, Len(kKey), kKey, HKEY_CURRENT_USER));
  scanner.Done();  // also after a failed Init
  EXPECT_FALSE(KeyExists(kKey));

  CRegScannerA creator;
  ASSERT_TRUE(creator.Create(nullptr, Len(kKey), kKey, HKEY_CURRENT_USER));
  creator.Done();
  EXPECT_TRUE(KeyExists(kKey)) << "Create makes the key and its parents";
  CRegScannerA opener;
  EXPECT_TRUE(opener.Init(nullptr, Len(kKey), kKey, HKEY_CURRENT_USER));
  opener.Done();
}

TEST_F(Scanner, KeyTextIsTakenWithItsLength) {
  const std::string padded = std::string(kKey) + "\\ignored";
  CRegScannerA scanner;
  ASSERT_TRUE(scanner.Create(nullptr, Len(kKey), padded.c_str(), HKEY_CURRENT_USER));
  scanner.Done();
  EXPECT_TRUE(KeyExists(kKey));
  EXPECT_FALSE(KeyExists(padded.c_str()));
}

TEST_F(Scanner, SectionsAreSelectedOnlyOnceTheyExist) {
  CRegScannerA scanner;
  ASSERT_TRUE(scanner.Create(nullptr, Len(kKey), kKey, HKEY_CURRENT_USER));
  EXPECT_FALSE(scanner.SetSection(6, "Window"));
  EXPECT_TRUE(scanner.CreateSection(6, "Window"));
  EXPECT_TRUE(scanner.SetSection(6, "Window"));
  EXPECT_TRUE(scanner.SetKeyInt(4, "XPos", -37));
  scanner.Done();

  HKEY section = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kKey) + "\\Window").c_str(), 0, KEY_READ, &section),
            ERROR_SUCCESS);
  DWORD value = 0, size = sizeof(value), type = 0;
  EXPECT_EQ(RegQueryValueExA(section, "XPos", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
  RegCloseKey(section);
  EXPECT_EQ(static_cast<std::int32_t>(value), -37) << "the value lands in the section, not the key";
}

TEST_F(Scanner, IntegersRoundTripAndMissingOnesLeaveTheTargetAlone) {
  CRegScannerA writer;
  ASSERT_TRUE(writer.Create(nullptr, Len(kKey), kKey, HKEY_CURRENT_USER));
  EXPECT_TRUE(writer.SetKeyInt(4, "XPos", INT32_MIN));
  EXPECT_TRUE(writer.SetKeyInt(4, "YPos", 2147483647));
  writer.Done();
  RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "Text", REG_SZ, "12", 3);

  CRegScannerA reader;
  ASSERT_TRUE(reader.Init(nullptr, Len(kKey), kKey, HKEY_CURRENT_USER));
  std::int32_t x = 0, y = 0, missing = 100, text = 100;
  EXPECT_TRUE(reader.GetKeyInt(4, "XPos", &x));
  EXPECT_TRUE(reader.GetKeyInt(4, "YPos", &y));
  EXPECT_FALSE(reader.GetKeyInt(4, "ZPos", &missing));
  EXPECT_FALSE(reader.GetKeyInt(4, "Text", &text)) << "a string is not an integer";
  reader.Done();
  EXPECT_EQ(x, INT32_MIN);
  EXPECT_EQ(y, 2147483647);
  EXPECT_EQ(missing, 100);
  EXPECT_EQ(text, 100);
}

TEST_F(Scanner, PermissionValueIsSetAndDeleted) {
  CRegScannerA creator;
  ASSERT_TRUE(creator.Create(nullptr, Len(kKey), kKey, HKEY_CURRENT_USER));
  creator.Done();

  CRegScannerA scanner;
  ASSERT_TRUE(scanner.vfInit(nullptr, kKey, HKEY_CURRENT_USER));
  EXPECT_TRUE(scanner.SetKeyCard("AllowEEPROMWrite", 1));
  scanner.vfDone();
  DWORD value = 0, size = sizeof(value);
  EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, kKey, "AllowEEPROMWrite", RRF_RT_DWORD, nullptr, &value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(value, 1u);

  CRegScannerA remover;
  ASSERT_TRUE(remover.vfInit(nullptr, kKey, HKEY_CURRENT_USER));
  EXPECT_TRUE(remover.DeleteKey("AllowEEPROMWrite"));
  EXPECT_FALSE(remover.DeleteKey("AllowEEPROMWrite")) << "nothing left to delete";
  remover.vfDone();
  EXPECT_NE(RegGetValueA(HKEY_CURRENT_USER, kKey, "AllowEEPROMWrite", RRF_RT_ANY, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_TRUE(KeyExists(kKey)) << "deleting a value keeps its key";
}

}  // namespace
